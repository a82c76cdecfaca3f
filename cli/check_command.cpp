#include <fmt/format.h>
#include <CLI/CLI.hpp>

#include <memory>
#include <optional>
#include <ostream>

#include "cli/command_line.h"
#include "cli/command_outputs.h"
#include "cli/commands.h"
#include "cli/object_names.h"
#include "cli/scene_session.h"
#include "cli/suggestions.h"
#include "resources/resource_ids.h"
#include "standalone/panels/utility_session.h"
#include "standalone/viewport/scene_drawing.h"
#include "utilities/check_sorting_group.h"
#include "utilities/check_texel_size.h"
#include "utilities/marking_check.h"

namespace pellucid::cli {

namespace {

struct CheckPanel {
    const char* name;
    const char* className;
    int button;
    std::vector<int> statusLines;
};

const CheckPanel kChecks[] = {
    {"mapping", "CheckMapping", IDC_CHECK_MAPPING, {IDC_STATUS}},
    {"material", "CheckMaterial", IDC_CHECK_MATERIAL, {IDC_STATUS}},
    {"volume", "CheckVolume", IDC_CHECK_VOLUME, {IDC_STATUS}},
    {"texel", "CheckTexelSize", IDC_CHECK_TEXELSIZE, {IDC_TEXELSIZE_STATUS, IDC_TEXELSIZE_STATUS2}},
    {"sorting", "CheckSortingGroup", IDC_CHECK_SORTING_GROUP, {IDC_STATUS}},
};

// What one press of a check's button found, in the form every report takes.
struct CheckReport {
    std::vector<std::pair<int, std::string>> status;
    std::vector<NodeMarks> nodes;
    bool failed = false;
    bool selection = false;
    const TexelFindings* texel = nullptr;
};

CheckReport Press(standalone::panels::UtilitySession& session, const CheckPanel& check) {
    session.Press(check.button);
    CheckReport report;
    for (int id : check.statusLines) {
        report.status.emplace_back(id, session.StatusText(id));
    }
    if (const auto* marking = session.DlgProc<MarkingCheckDlgProc>()) {
        report.nodes = marking->LastFindings().nodes;
        report.failed = !marking->LastFindings().passed;
    } else if (const auto* sorting = session.DlgProc<CheckSortingGroupDlgProc>()) {
        for (INode* node : sorting->LastFindings().meshes) {
            NodeMarks entry;
            entry.node = node;
            entry.objectClass = node->EvalWorldState(0, TRUE).obj->ClassID();
            entry.failed = true;
            report.nodes.push_back(entry);
        }
        report.failed = !sorting->LastFindings().Passed();
        report.selection = true;
    } else if (const auto* texel = session.DlgProc<CheckTexelSizeDlgProc>()) {
        report.texel = &texel->LastFindings();
    }
    return report;
}

void PrintText(std::ostream& out, std::ostream& err, const CheckReport& report) {
    for (const auto& [id, text] : report.status) {
        if (report.status.size() == 1) {
            out << "status: " << text << "\n";
        } else {
            out << "status " << id << ": " << text << "\n";
        }
    }
    PrintMarks(out, report.nodes);
    PrintConvertedNotes(err, report.nodes);
    if (report.texel != nullptr) {
        err << fmt::format("note: {} face{} measured, {} single-coloured face{} left out\n",
                           report.texel->measuredFaces, report.texel->measuredFaces == 1 ? "" : "s",
                           report.texel->SCT, report.texel->SCT == 1 ? "" : "s");
    }
    for (const NodeMarks& node : report.nodes) {
        if (report.selection) {
            err << fmt::format("note: {} is selected and evaluates to a triangle mesh ({})\n",
                               node.node->GetName(), ObjectClassName(node.objectClass));
        } else if (node.faces.empty() && node.failed) {
            err << fmt::format("note: {} ({}) fails without a face to mark: it has no faces\n",
                               node.node->GetName(), ObjectClassName(node.objectClass));
        }
    }
}

std::string Json(const CheckOptions& options, const CheckReport& report) {
    standalone::JsonWriter json(16);
    json.BeginObject();
    json.StringField("check", options.check);
    json.BoolField("passed", !report.failed);
    json.Key("status");
    json.BeginArray();
    for (const auto& [id, text] : report.status) {
        json.BeginObject();
        json.IntField("id", id);
        json.StringField("text", text);
        json.EndObject();
    }
    json.EndArray();
    json.Key("nodes");
    WriteMarksJson(json, report.nodes);
    if (report.texel != nullptr) {
        json.Key("texel");
        json.BeginObject();
        json.BoolField("measured", report.texel->Measured());
        json.Key("min");
        json.Float(report.texel->Measured() ? report.texel->min : 0.0f);
        json.Key("max");
        json.Float(report.texel->Measured() ? report.texel->max : 0.0f);
        json.IntField("measuredFaces", report.texel->measuredFaces);
        json.IntField("singleColourFaces", report.texel->SCT);
        json.EndObject();
    }
    json.EndObject();
    return json.Text() + "\n";
}

}  // namespace

int RunCheckCommand(const CheckOptions& options, std::ostream& out, std::ostream& err) {
    const CheckPanel* check = nullptr;
    std::vector<std::string> names;
    for (const CheckPanel& c : kChecks) {
        names.emplace_back(c.name);
        if (options.check == c.name) {
            check = &c;
        }
    }
    if (check == nullptr) {
        err << fmt::format(
            "pellucid: check {}: expected mapping, material, volume, texel or sorting{}\n",
            options.check, DidYouMean(options.check, names));
        return kExitBadInput;
    }
    std::optional<JobOutput> scene;
    std::optional<JobOutput> picture;
    if (!options.outputPath.empty()) {
        scene.emplace(options.outputPath, "-o");
    }
    if (!options.svgPath.empty()) {
        picture.emplace(options.svgPath, "--svg");
    }
    const int toStandardOutput = (scene && scene->IsStandardOutput() ? 1 : 0) +
                                 (picture && picture->IsStandardOutput() ? 1 : 0) +
                                 (options.json ? 1 : 0);
    if (toStandardOutput > 1) {
        err << "pellucid: only one of -o -, --svg - and --json can write to standard output\n";
        return kExitBadInput;
    }
    for (const auto* output : {&scene, &picture}) {
        if (*output && !(*output)->Check({options.scene.scenePath}, err)) {
            return kExitBadInput;
        }
    }
    auto host = LoadScene(options.scene, err);
    if (!host) {
        return kExitBadInput;
    }
    for (const auto* output : {&scene, &picture}) {
        if (*output && !(*output)->Check(SceneInputFiles(options.scene, *host), err)) {
            return kExitBadInput;
        }
    }
    // With a file on standard output, the findings go with the messages.
    std::ostream& report = toStandardOutput == 1 && !options.json ? err : out;
    try {
        standalone::panels::UtilitySession session(host.get(), host->Toolkit(), check->className);
        const CheckReport findings = Press(session, *check);
        if (options.json) {
            out << Json(options, findings);
        } else {
            PrintText(report, err, findings);
        }
        if (picture) {
            std::vector<standalone::viewport::FaceHighlight> highlights;
            for (const NodeMarks& node : findings.nodes) {
                highlights.push_back({node.node, node.faces});
            }
            const std::string svg = standalone::viewport::SceneSvg(
                host->GetRootNode(), standalone::viewport::ViewKind::Perspective, false,
                highlights);
            if (!picture->WriteText(svg, out, err)) {
                return kExitBadInput;
            }
        }
        session.Close();
        if (scene && !SaveScene(*host, *scene, out, err)) {
            return kExitBadInput;
        }
        return findings.failed ? kExitFindings : kExitOk;
    } catch (const std::exception& e) {
        err << fmt::format("pellucid: {}: {}\n", options.scene.scenePath, e.what());
        return kExitBadInput;
    }
}

Job DeclareCheckCommand(CLI::App& command) {
    auto o = std::make_shared<CheckOptions>();
    command
        .add_option("check", o->check,
                    "mapping (texture coordinates), material (material names), volume (closed "
                    "meshes), texel (texel density) or sorting (selected meshes)")
        ->required();
    AddSceneOptions(command, o->scene);
    command.add_option("-o,--output", o->outputPath,
                       "Save the scene with the marks as face selections (*.pscene.json, or - "
                       "for standard output)");
    command.add_option("--svg", o->svgPath,
                       "Draw the scene with the marked faces filled (*.svg, or - for standard "
                       "output)");
    command.add_flag("--json", o->json, "Print the findings as one JSON report");
    return [o](std::ostream& out, std::ostream& err) { return RunCheckCommand(*o, out, err); };
}

}  // namespace pellucid::cli
