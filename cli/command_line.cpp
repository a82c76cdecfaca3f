#include "cli/command_line.h"

#include <CLI/CLI.hpp>
#include <ostream>

#include "cli/commands.h"
#include "cli/panel_command_options.h"

namespace pellucid::cli {

namespace {

void AddSceneOptions(CLI::App* command, SceneOptions& scene) {
    command->add_option("scene", scene.scenePath, "Scene document (*.pscene.json)")
        ->required()
        ->check(CLI::ExistingFile);
    command->add_option("--map-drive", scene.driveMaps,
                        "Map a drive letter of the library's platform paths to a folder, as "
                        "LETTER=FOLDER (the debug trace log is written on drive d:)");
}

}  // namespace

int RunCommandLine(int argc, char** argv, std::ostream& out, std::ostream& err) {
    CLI::App app{
        "Pellucid: exports game assets from scene documents and checks scenes against "
        "the engine's rules."};
    app.require_subcommand(1);
    app.set_help_all_flag("--help-all", "Show the help of every command");

    CLI::App* classes =
        app.add_subcommand("classes", "List the plug-in classes that the library registers");

    SceneOptions infoScene;
    CLI::App* info = app.add_subcommand(
        "info",
        "Show the scene as the library sees it: the node tree, each node's object class "
        "and material, and how the exporters classify it");
    AddSceneOptions(info, infoScene);

    ExportOptions exportOptions;
    CLI::App* exportCommand = app.add_subcommand("export", "Export a scene to a game script");
    exportCommand->require_subcommand(1);
    CLI::App* exportMesh =
        exportCommand->add_subcommand("mesh", "Write the mesh script (MEF) of the scene's object");
    AddSceneOptions(exportMesh, exportOptions.scene);
    exportMesh->add_option("-o,--output", exportOptions.outputPath, "Output file (*.mef)")
        ->required();
    exportMesh->add_flag("--strict", exportOptions.strict,
                         "Exit with code 1 when the export shows any message box (the file is "
                         "still written)");

    PanelCommandOptions panelOptions;
    AddPanelCommands(app, panelOptions);

    try {
        app.parse(argc, argv);
    } catch (const CLI::ParseError& e) {
        // Help requests, on any subcommand, arrive here with exit code 0.
        if (e.get_exit_code() == 0) {
            return app.exit(e, out, err);
        }
        err << "pellucid: " << e.what() << "\n";
        err << "Run 'pellucid --help' for usage.\n";
        return kExitBadInput;
    }

    if (classes->parsed()) {
        return RunClassesCommand(out);
    }
    if (info->parsed()) {
        return RunInfoCommand(infoScene, out, err);
    }
    if (exportMesh->parsed()) {
        exportOptions.kind = "mesh";
        return RunExportCommand(exportOptions, out, err);
    }
    if (const std::optional<int> code = RunPanelCommands(panelOptions, out, err)) {
        return *code;
    }
    return kExitBadInput;
}

}  // namespace pellucid::cli
