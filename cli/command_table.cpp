#include "cli/command_table.h"

#include "cli/commands.h"

namespace pellucid::cli {

namespace {

const CommandGroup kGroups[] = {
    {"export", "Export a scene to a game script"},
    {"import", "Make a scene document from another program's file"},
};

const Command kCommands[] = {
    {"classes", "List the plug-in classes that the library registers", DeclareClassesCommand},
    {"info",
     "Show the scene as the library sees it: the node tree, each node's object class and "
     "material, and how the exporters classify it",
     DeclareInfoCommand},
    {"validate",
     "Show the role every node takes in the exports and why, what they would drop, and the "
     "message boxes each export would show (exit 1 when there is one), without writing a file",
     DeclareValidateCommand},
    {"export mesh", "Write the mesh script (MEF) of the scene's object", DeclareExportMeshCommand},
    {"export bones", "Write the bone script (BEF): the skeleton and its animation",
     DeclareExportBonesCommand},
    {"export zut", "Write the ZUT object file of the scene's ZUT meshes", DeclareExportZutCommand},
    {"import zut", "Make a scene document of the mesh in a ZUT object file",
     DeclareImportZutCommand},
    {"import qmo", "Assemble a level from the model scenes that a QMO list names",
     DeclareImportQmoCommand},
    {"eval",
     "Save the scene as it stands at a time, with every modifier stack evaluated into its mesh",
     DeclareEvalCommand},
    {"check",
     "Run one of the library's check panels on the scene, as pressing its button would: prints "
     "the panel's status line and the faces it marked, exit 1 when the check fails",
     DeclareCheckCommand},
    {"portal",
     "Open the portal browser on the first selected mesh, press one of its buttons N times (by "
     "default Update once) and print the counts and the selected faces",
     DeclarePortalCommand},
    {"copy-bones",
     "Copy the selected bones under a source skeleton onto a target skeleton with the copy bones "
     "panel, and save the scene",
     DeclareCopyBonesCommand},
    {"view", "Draw the scene as a viewport shows it, into an SVG picture", DeclareViewCommand},
    {"convert",
     "Convert an asset (glTF, FBX, 3DS, COLLADA, OBJ, ...) into a scene document that you can "
     "inspect and edit, and report what was converted and what was left out",
     DeclareConvertCommand},
};

}  // namespace

std::span<const Command> CommandTable() {
    return kCommands;
}

std::span<const CommandGroup> CommandGroups() {
    return kGroups;
}

}  // namespace pellucid::cli
