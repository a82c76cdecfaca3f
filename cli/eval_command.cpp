// pellucid eval: the scene at one time, every modifier stack evaluated into its mesh.
#include <fmt/format.h>

#include <CLI/CLI.hpp>
#include <memory>
#include <optional>
#include <ostream>

#include "cli/command_line.h"
#include "cli/command_outputs.h"
#include "cli/commands.h"
#include "cli/job_report.h"
#include "cli/scene_session.h"
#include "standalone/document/scene_document_io.h"
#include "standalone/import/scene_snapshot.h"

namespace pellucid::cli {

namespace {

struct EvalOptions {
    SceneOptions scene;
    std::optional<int> ticks;
    std::optional<int> frame;
    std::string outputPath;
    bool strict = false;
    bool json = false;
};

int RunEval(const EvalOptions& options, std::ostream& out, std::ostream& err) {
    if (options.ticks.has_value() == options.frame.has_value()) {
        err << "pellucid: give the time either as --time TICKS or as --frame FRAME\n";
        return kExitBadInput;
    }
    JobOutput output(options.outputPath, "-o");
    auto host = LoadJobScene(options.scene, output, options.json, err, "document");
    if (!host) {
        return kExitBadInput;
    }
    const int ticksPerFrame = host->TicksPerFrame();
    const long long wide =
        options.ticks ? *options.ticks : static_cast<long long>(*options.frame) * ticksPerFrame;
    if (wide < TIME_NegInfinity || wide > TIME_PosInfinity) {
        err << fmt::format("pellucid: frame {} is beyond the host's time range\n", *options.frame);
        return kExitBadInput;
    }
    const auto t = static_cast<TimeValue>(wide);
    const std::vector<standalone::EvaluatedNode> evaluated =
        standalone::FreezeSceneAt(host->GetScene(), t);
    JobReport report;
    if (evaluated.empty()) {
        report.Note(
            "no node has a modifier stack that runs on a mesh; the document is the "
            "scene's transforms at that time");
    }
    doc::Document frozen = host->Capture();
    standalone::DropUnusedObjectsAndModifiers(frozen);
    if (!SaveDocument(frozen, output, out, err)) {
        return kExitBadInput;
    }
    std::string summary =
        fmt::format("wrote {} (the scene at tick {}, frame {:g}; {} mesh{} evaluated)\n",
                    output.Name(), t, static_cast<double>(t) / ticksPerFrame, evaluated.size(),
                    evaluated.size() == 1 ? "" : "es");
    for (const standalone::EvaluatedNode& node : evaluated) {
        summary += fmt::format("  {}: {} -> {} vertices, {} faces\n", node.name,
                               fmt::join(node.modifiers, ", "), node.vertices, node.faces);
    }
    return ReportJob(options.json, options.strict, output, report, *host, summary, out, err,
                     [&](standalone::JsonWriter& json) {
                         json.IntField("time", t);
                         json.Key("evaluated");
                         json.BeginArray();
                         for (const standalone::EvaluatedNode& node : evaluated) {
                             json.BeginObject();
                             WriteMeshCounts(json, node.name, node.vertices, node.faces);
                             WriteStrings(json, "modifiers", node.modifiers);
                             json.EndObject();
                         }
                         json.EndArray();
                     });
}

}  // namespace

Job DeclareEvalCommand(CLI::App& command) {
    auto options = std::make_shared<EvalOptions>();
    AddSceneOptions(command, options->scene);
    command.add_option("--time", options->ticks, "The time in ticks (4800 per second)");
    command.add_option("--frame", options->frame, "The time as a frame of the scene");
    command.add_option("-o,--output", options->outputPath, "Output scene document (*.pscene.json)")
        ->required();
    AddReportFlags(command, options->strict, options->json);
    command.footer(
        "Evaluates every modifier stack (skin, morph, GameInfluence, ZUTMorph) at the given time "
        "and saves the scene as it stands then: each such mesh as the mesh its stack gives, "
        "without the stack, and every node where it is at that time, without keys or links.");
    return [options](std::ostream& out, std::ostream& err) { return RunEval(*options, out, err); };
}

}  // namespace pellucid::cli
