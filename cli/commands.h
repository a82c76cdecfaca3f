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
    // Side files and images that a scene document names outside its own folder are read too.
    bool allowOutsideFiles = false;
};
// Declares SCENE, --map-drive and --allow-outside-files on `command`.
void AddSceneOptions(CLI::App& command, SceneOptions& scene);
// Declares SCENE... (one or more, into `scenes`) and --map-drive (into `scene`) on `command`.
void AddSceneListOptions(CLI::App& command, std::vector<std::string>& scenes, SceneOptions& scene);

Job DeclareClassesCommand(CLI::App& command);
Job DeclareInfoCommand(CLI::App& command);
Job DeclareValidateCommand(CLI::App& command);
Job DeclareExportMeshCommand(CLI::App& command);
Job DeclareExportBonesCommand(CLI::App& command);
Job DeclareExportZutCommand(CLI::App& command);
Job DeclareImportZutCommand(CLI::App& command);
Job DeclareImportQmoCommand(CLI::App& command);
Job DeclareEvalCommand(CLI::App& command);
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

Job DeclareCheckCommand(CLI::App& command);
Job DeclarePortalCommand(CLI::App& command);
Job DeclareCopyBonesCommand(CLI::App& command);
Job DeclareViewCommand(CLI::App& command);

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
    bool json = false;
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
