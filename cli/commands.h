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

struct CheckOptions {
    SceneOptions scene;
    std::string check;  // mapping, material, volume, texel, sorting
    std::string outputPath;
    std::string svgPath;
    bool json = false;
};
int RunCheckCommand(const CheckOptions& options, std::ostream& out, std::ostream& err);

struct PortalOptions {
    SceneOptions scene;
    // The button pressed ("next-portal", "prev-portal", "next-sector", "prev-sector", "update")
    // and how often.
    std::string button = "update";
    int presses = 1;
    bool json = false;
};
int RunPortalCommand(const PortalOptions& options, std::ostream& out, std::ostream& err);

struct CopyBonesOptions {
    SceneOptions scene;
    std::string source;
    std::string target;
    bool position = true;
    bool rotation = true;
    bool scale = true;
    bool nodeData = true;
    // Replaces the scene's selection when not empty.
    std::vector<std::string> select;
    std::string outputPath;
};
int RunCopyBonesCommand(const CopyBonesOptions& options, std::ostream& out, std::ostream& err);

struct ViewOptions {
    SceneOptions scene;
    std::string outputPath;
    std::string view = "perspective";
    bool shaded = false;
};
int RunViewCommand(const ViewOptions& options, std::ostream& out, std::ostream& err);

}  // namespace pellucid::cli
