#include "cli/command_line.h"

#include <CLI/CLI.hpp>
#include <ostream>

#include "cli/commands.h"

namespace pellucid::cli {

namespace {

void AddSceneOptions(CLI::App* command, SceneOptions& scene) {
    command
        ->add_option("scene", scene.scenePath,
                     "The scene: a scene document (*.pscene.json), or an asset (.gltf .glb "
                     ".fbx .3ds .dae .obj) converted on load")
        ->required()
        ->check(CLI::ExistingFile);
    command->add_option("--map-drive", scene.driveMaps,
                        "Map a drive letter of the library's platform paths to a folder, as "
                        "LETTER=FOLDER (the debug trace log is written on drive d:)");
}

CLI::App* AddConvertCommand(CLI::App& app, ConvertOptions& options) {
    CLI::App* convert = app.add_subcommand(
        "convert",
        "Convert an asset (glTF, FBX, 3DS, COLLADA, OBJ, ...) into a scene document that you can "
        "inspect and edit; what was converted and what was left out is reported");
    convert->add_option("input", options.inputPath, "The asset (.gltf .glb .fbx .3ds .dae .obj)")
        ->required()
        ->check(CLI::ExistingFile);
    convert->add_option("-o,--output", options.outputPath, "The scene document (*.pscene.json)")
        ->required();
    convert->add_option("--animation", options.animation,
                        "The animation to convert into keys (default: the asset's first)");
    convert
        ->add_option("--scale", options.scale,
                     "Multiply every length by this factor (default 1: units kept)")
        ->check(CLI::PositiveNumber);
    convert
        ->add_option("--time-limit", options.timeLimitSeconds,
                     "Give up reading the asset after this many seconds (default 60)")
        ->check(CLI::PositiveNumber);
    convert->add_flag("--json", options.json, "Print the report as JSON on standard output");
    return convert;
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

    ConvertOptions convertOptions;
    CLI::App* convert = AddConvertCommand(app, convertOptions);

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
    if (convert->parsed()) {
        return RunConvertCommand(convertOptions, out, err);
    }
    return kExitBadInput;
}

}  // namespace pellucid::cli
