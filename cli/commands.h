// The subcommands of the command line, each one call with its options.
#pragma once

#include <iosfwd>
#include <string>
#include <vector>

namespace pellucid::cli {

// Options every scene-reading command takes.
struct SceneOptions {
    std::string scenePath;
    // "d=/tmp/trace": platform drive letters mapped to local folders (the trace log lives on d:).
    std::vector<std::string> driveMaps;
};

int RunClassesCommand(std::ostream& out);

int RunInfoCommand(const SceneOptions& scene, std::ostream& out, std::ostream& err);

struct ExportOptions {
    SceneOptions scene;
    std::string kind;  // "mesh"
    std::string outputPath;
    bool strict = false;
};
int RunExportCommand(const ExportOptions& options, std::ostream& out, std::ostream& err);

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
