#include <fmt/format.h>

#include <CLI/CLI.hpp>
#include <memory>
#include <optional>
#include <ostream>

#include "cli/command_line.h"
#include "cli/commands.h"
#include "cli/library_classes.h"
#include "cli/output_file.h"
#include "cli/scene_session.h"

namespace pellucid::cli {

namespace {

struct ExportOptions {
    SceneOptions scene;
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

// Declares the options that every script export takes.
Job DeclareScriptExport(
    CLI::App& command, const char* extension, const char* outputHelp,
    std::shared_ptr<ExportOptions> options = std::make_shared<ExportOptions>()) {
    options->extension = extension;
    AddSceneOptions(command, options->scene);
    command.add_option("-o,--output", options->outputPath, outputHelp)->required();
    command.add_flag("--strict", options->strict,
                     "Exit with code 1 when the export shows any message box (the file is "
                     "still written)");
    return [options](std::ostream& out, std::ostream& err) {
        return RunExportCommand(*options, out, err);
    };
}

}  // namespace

Job DeclareExportMeshCommand(CLI::App& command) {
    return DeclareScriptExport(command, "MEF", "Output file (*.mef)");
}

Job DeclareExportBonesCommand(CLI::App& command) {
    auto options = std::make_shared<ExportOptions>();
    command.add_flag("--loop,!--no-loop", options->loop,
                     "Set (or clear) the scene's loop option for this export: a looping "
                     "animation whose keys run past the end of the range is marked cyclic");
    return DeclareScriptExport(command, "BEF", "Output file (*.bef)", options);
}

}  // namespace pellucid::cli
