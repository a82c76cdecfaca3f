#include "cli/panel_command_options.h"

#include <CLI/CLI.hpp>

namespace pellucid::cli {

namespace {

void AddScene(CLI::App* command, SceneOptions& scene) {
    command->add_option("scene", scene.scenePath, "Scene document (*.pscene.json)")
        ->required()
        ->check(CLI::ExistingFile);
    command->add_option("--map-drive", scene.driveMaps,
                        "Map a drive letter of the library's platform paths to a folder, as "
                        "LETTER=FOLDER");
}

}  // namespace

void AddPanelCommands(CLI::App& app, PanelCommandOptions& o) {
    o.checkCommand = app.add_subcommand(
        "check",
        "Run one of the library's check panels on the scene, as pressing its button would: "
        "prints the panel's status line and the faces it marked, exit 1 when the check fails");
    o.checkCommand
        ->add_option("check", o.check.check,
                     "mapping (texture coordinates), material (material names), "
                     "volume (closed meshes), texel (texel density) or sorting "
                     "(selected meshes)")
        ->required();
    AddScene(o.checkCommand, o.check.scene);
    o.checkCommand->add_option("-o,--output", o.check.outputPath,
                               "Save the scene with the marks as face selections "
                               "(*.pscene.json)");
    o.checkCommand->add_option("--svg", o.check.svgPath,
                               "Draw the scene with the marked faces filled (*.svg)");
    o.checkCommand->add_flag("--json", o.check.json, "Print the findings as one JSON report");

    o.portalCommand = app.add_subcommand(
        "portal",
        "Open the portal browser on the first selected mesh, press one of its buttons N times "
        "(by default Update once) and print the counts and the selected faces");
    AddScene(o.portalCommand, o.portal.scene);
    struct Button {
        const char* flag;
        const char* name;
        const char* help;
    };
    static const Button kButtons[] = {
        {"--next-portal", "next-portal", "Press Next under Portals N times"},
        {"--prev-portal", "prev-portal", "Press Prev under Portals N times"},
        {"--next-sector", "next-sector", "Press Next under Sectors N times"},
        {"--prev-sector", "prev-sector", "Press Prev under Sectors N times"},
        {"--update", "update", "Press Update N times"},
    };
    std::vector<CLI::Option*> buttons;
    for (const Button& b : kButtons) {
        const std::string name = b.name;
        buttons.push_back(o.portalCommand
                              ->add_option_function<int>(
                                  b.flag,
                                  [&o, name](int n) {
                                      o.portal.button = name;
                                      o.portal.presses = n;
                                  },
                                  b.help)
                              ->type_name("N"));
    }
    for (CLI::Option* a : buttons) {
        for (CLI::Option* b : buttons) {
            if (a != b) {
                a->excludes(b);
            }
        }
    }
    o.portalCommand->add_flag("--json", o.portal.json, "Print the result as one JSON report");

    o.copyBonesCommand = app.add_subcommand(
        "copy-bones",
        "Copy the selected bones under a source skeleton onto a target skeleton with the copy "
        "bones panel, and save the scene");
    AddScene(o.copyBonesCommand, o.copyBones.scene);
    o.copyBonesCommand
        ->add_option("--source", o.copyBones.source,
                     "The source bone as the panel labels it: a bone directly under the scene "
                     "root, by name (\"NAME #INDEX\" when siblings share the name)")
        ->required();
    o.copyBonesCommand->add_option("--target", o.copyBones.target, "The target bone, likewise")
        ->required();
    o.copyBonesCommand->add_flag("!--no-position", o.copyBones.position,
                                 "Leave the position and its keys");
    o.copyBonesCommand->add_flag("!--no-rotation", o.copyBones.rotation, "Leave the rotation keys");
    o.copyBonesCommand->add_flag("!--no-scale", o.copyBones.scale, "Leave the scale keys");
    o.copyBonesCommand->add_flag("!--no-node-data", o.copyBones.nodeData,
                                 "Leave the node transform");
    o.copyBonesCommand->add_option("--select", o.copyBones.select,
                                   "Select these nodes (by name) instead of the scene's selection");
    o.copyBonesCommand
        ->add_option("-o,--output", o.copyBones.outputPath, "The changed scene (*.pscene.json)")
        ->required();

    o.viewCommand =
        app.add_subcommand("view", "Draw the scene as a viewport shows it, into an SVG picture");
    AddScene(o.viewCommand, o.view.scene);
    o.viewCommand->add_option("-o,--output", o.view.outputPath, "The picture (*.svg)")->required();
    o.viewCommand->add_option("--view", o.view.view, "top, front, left or perspective")
        ->check(CLI::IsMember({"top", "front", "left", "perspective"}));
    o.viewCommand->add_flag("--shaded", o.view.shaded,
                            "Shaded faces instead of wireframe (objects that show only in "
                            "wireframe, such as collision boxes, disappear)");
}

std::optional<int> RunPanelCommands(PanelCommandOptions& o, std::ostream& out, std::ostream& err) {
    if (o.checkCommand != nullptr && o.checkCommand->parsed()) {
        return RunCheckCommand(o.check, out, err);
    }
    if (o.portalCommand != nullptr && o.portalCommand->parsed()) {
        return RunPortalCommand(o.portal, out, err);
    }
    if (o.copyBonesCommand != nullptr && o.copyBonesCommand->parsed()) {
        return RunCopyBonesCommand(o.copyBones, out, err);
    }
    if (o.viewCommand != nullptr && o.viewCommand->parsed()) {
        return RunViewCommand(o.view, out, err);
    }
    return std::nullopt;
}

}  // namespace pellucid::cli
