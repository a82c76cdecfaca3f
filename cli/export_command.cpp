#include <fmt/format.h>

#include <CLI/CLI.hpp>
#include <cctype>
#include <memory>
#include <optional>
#include <ostream>
#include <string>
#include <vector>

#include "cli/batch_export.h"
#include "cli/command_line.h"
#include "cli/commands.h"
#include "cli/job_guard.h"
#include "cli/job_notes.h"
#include "cli/job_output.h"
#include "cli/job_report.h"
#include "cli/library_classes.h"
#include "cli/message_notes.h"
#include "cli/nonfinite_scan.h"
#include "cli/scene_session.h"
#include "cli/scene_survey.h"

namespace pellucid::cli {

namespace {

struct ExportOptions {
    SceneOptions scene;
    // Every scene of the call; `scene.scenePath` is the one being exported.
    std::vector<std::string> scenes;
    int jobs = 1;
    // The file extension that picks the library's exporter, as a host's file-type list does.
    const char* extension = "";
    std::string outputPath;
    bool strict = false;
    // Replaces the scene's loop option (which lets a bone script mark its animation cyclic).
    std::optional<bool> loop;
    bool json = false;
};

void PrintJsonReport(std::ostream& out, const ExportOptions& options, const JobOutput& output,
                     const standalone::StandaloneHost& host, const JobNotes& notes) {
    PrintJson(out, [&](standalone::JsonWriter& json) {
        json.StringField("scene", options.scene.scenePath);
        json.StringField("format", options.extension);
        json.StringField("output", output.Name());
        notes.WriteJson(json, host.Messages());
    });
}

int RunExportCommand(const ExportOptions& options, std::ostream& out, std::ostream& err) {
    JobOutput output(options.outputPath, "-o");
    auto host = LoadJobScene(options.scene, output, options.json, err, "script");
    if (!host) {
        return kExitBadInput;
    }
    if (options.loop) {
        host->GetScene().settings.loop = *options.loop;
    }
    std::unique_ptr<SceneExport> exporter = CreateSceneExporter(options.extension);
    if (!exporter) {
        err << fmt::format("pellucid: the library registers no exporter for {} files\n",
                           options.extension);
        return kExitBadInput;
    }

    const SceneSurvey survey = SurveyScene(*host);
    MessageNotes explain(survey);
    JobNotes notes(err);
    notes.ExplainMessages(*host, explain);
    {
        const HostStateGuard guard(*host);
        exporter->DoExport(output.TemporaryPath().c_str(), host->GetExpInterface(), host.get());
    }
    notes.AddAll(SilentFindingsFor(survey, options.extension));
    notes.AddAll(FindNonFiniteNumbers(output.TemporaryPath(), output.Name(), survey));
    if (!output.Finish(out, err, WriteErrorOf(*host, output.TemporaryPath()))) {
        return kExitBadInput;
    }

    const size_t messages = host->Messages().size();
    if (options.json) {
        PrintJsonReport(out, options, output, *host, notes);
    } else {
        // With the script on standard output, the summary goes with the messages.
        SummaryStream(output, out, err) << fmt::format(
            "wrote {} ({}, {})\n",
            output.IsStandardOutput() ? "the script to standard output" : output.Name(),
            Counted(messages, "message", "messages"), Counted(notes.Count(), "note", "notes"));
    }
    const bool findings = messages > 0 || !notes.Empty();
    return options.strict && findings ? kExitFindings : kExitOk;
}

// One scene into one file, or several (or one into a folder) as a batch.
int RunExportJob(const ExportOptions& options, std::ostream& out, std::ostream& err) {
    const bool toFolder = IsFolderOutput(options.outputPath, options.scenes.size());
    if (options.scenes.size() == 1 && !toFolder) {
        ExportOptions one = options;
        one.scene.scenePath = options.scenes.front();
        return RunExportCommand(one, out, err);
    }
    if (!toFolder) {
        err << fmt::format(
            "pellucid: -o {}: several scenes are written into a folder: end the "
            "path with /\n",
            options.outputPath);
        return kExitBadInput;
    }
    BatchExport batch{options.scenes, options.outputPath, ".", options.jobs};
    for (const char* c = options.extension; *c != '\0'; ++c) {
        batch.suffix += static_cast<char>(std::tolower(static_cast<unsigned char>(*c)));
    }
    const auto exportOne = [&options](const std::string& scene, const std::string& output,
                                      std::ostream& sceneOut, std::ostream& sceneErr) {
        ExportOptions one = options;
        one.scene.scenePath = scene;
        one.outputPath = output;
        return RunExportCommand(one, sceneOut, sceneErr);
    };
    return RunBatchExport(batch, exportOne, out, err);
}

// Declares the options that every script export takes.
Job DeclareScriptExport(
    CLI::App& command, const char* extension, const char* outputHelp,
    std::shared_ptr<ExportOptions> options = std::make_shared<ExportOptions>()) {
    options->extension = extension;
    AddSceneListOptions(command, options->scenes, options->scene);
    command.add_option("-o,--output", options->outputPath, outputHelp)->required();
    command.add_flag("--strict", options->strict,
                     "Exit with code 1 when the export shows any message box or note (the file "
                     "is still written)");
    command.add_flag("--json", options->json,
                     "Print the report (message boxes and notes) as JSON on standard output");
    command
        .add_option("-j,--jobs", options->jobs,
                    "With several scenes: how many to export at once, each in a process of its "
                    "own (the files do not depend on it)")
        ->check(CLI::Range(1, 64));
    return [options](std::ostream& out, std::ostream& err) {
        return RunExportJob(*options, out, err);
    };
}

}  // namespace

Job DeclareExportMeshCommand(CLI::App& command) {
    return DeclareScriptExport(command, "MEF",
                               "Output file (*.mef), - for standard output, or a folder (ending "
                               "in /) for one file per scene");
}

Job DeclareExportBonesCommand(CLI::App& command) {
    auto options = std::make_shared<ExportOptions>();
    command.add_flag("--loop,!--no-loop", options->loop,
                     "Set (or clear) the scene's loop option for this export: a looping "
                     "animation whose keys run past the end of the range is marked cyclic");
    return DeclareScriptExport(command, "BEF",
                               "Output file (*.bef), - for standard output, or a folder (ending "
                               "in /) for one file per scene",
                               options);
}

}  // namespace pellucid::cli
