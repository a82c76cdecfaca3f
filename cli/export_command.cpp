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
#include "cli/library_classes.h"
#include "cli/output_file.h"
#include "cli/scene_session.h"

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
};

int RunExportCommand(const ExportOptions& options, std::ostream& out, std::ostream& err) {
    auto host = LoadScene(options.scene, err);
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
    OutputFile output(options.outputPath);
    exporter->DoExport(output.TemporaryPath().c_str(), host->GetExpInterface(), host.get());
    if (!output.Written()) {
        // The exporter writes nothing, silently, when it cannot open its file.
        err << fmt::format("pellucid: {}: cannot be written\n", options.outputPath);
        return kExitBadInput;
    }
    std::string error;
    if (!output.Commit(error)) {
        err << fmt::format("pellucid: {}: {}\n", options.outputPath, error);
        return kExitBadInput;
    }
    const size_t messages = host->Messages().size();
    out << fmt::format("wrote {} ({} message{})\n", options.outputPath, messages,
                       messages == 1 ? "" : "s");
    return options.strict && messages > 0 ? kExitFindings : kExitOk;
}

// One scene into one file, or several (or one into a folder) as a batch.
int RunExportJob(const ExportOptions& options, std::ostream& out, std::ostream& err) {
    const bool toFolder = IsFolderOutput(options.outputPath);
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
                     "Exit with code 1 when the export shows any message box (the file is "
                     "still written)");
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
                               "Output file (*.mef), or a folder (ending in /) for one file per "
                               "scene");
}

Job DeclareExportBonesCommand(CLI::App& command) {
    auto options = std::make_shared<ExportOptions>();
    command.add_flag("--loop,!--no-loop", options->loop,
                     "Set (or clear) the scene's loop option for this export: a looping "
                     "animation whose keys run past the end of the range is marked cyclic");
    return DeclareScriptExport(
        command, "BEF", "Output file (*.bef), or a folder (ending in /) for one file per scene",
        options);
}

}  // namespace pellucid::cli
