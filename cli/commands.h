// The commands of the command line: each declares its options on its parser command and gives the
// job that runs it (see command_table.h).
#pragma once

#include <iosfwd>
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
Job DeclareConvertCommand(CLI::App& command);

struct ConvertOptions {
    std::string inputPath;
    std::string outputPath;
    std::string animation;  // "" for the asset's first animation
    float scale = 1.0f;
    double timeLimitSeconds = 60.0;
    bool json = false;  // the report as JSON on standard output
};
int RunConvertCommand(const ConvertOptions& options, std::ostream& out, std::ostream& err);

}  // namespace pellucid::cli
