// The commands of the command line: each declares its options on its parser command and gives the
// job that runs it (see command_table.h).
#pragma once

#include <string>
#include <vector>

#include "cli/command_table.h"

namespace pellucid::cli {

// Options every scene-reading command takes.
struct SceneOptions {
    std::string scenePath;
    // "d=/tmp/trace": platform drive letters mapped to local folders (the trace log lives on d:).
    std::vector<std::string> driveMaps;
};
// Declares SCENE and --map-drive on `command`.
void AddSceneOptions(CLI::App& command, SceneOptions& scene);

Job DeclareClassesCommand(CLI::App& command);
Job DeclareInfoCommand(CLI::App& command);
Job DeclareExportMeshCommand(CLI::App& command);

}  // namespace pellucid::cli
