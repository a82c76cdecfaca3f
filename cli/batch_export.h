// Several scenes exported in one call: one output file per scene in a folder, each scene in a
// process of its own (up to N at once), the reports printed in the order of the scenes, and the
// worst exit code. A scene that fails, even by crashing, does not stop the others.
#pragma once

#include <functional>
#include <iosfwd>
#include <string>
#include <vector>

namespace pellucid::cli {

// Exports one scene into `output`, printing to `out` and `err`; gives its exit code.
using SceneExportJob = std::function<int(const std::string& scene, const std::string& output,
                                         std::ostream& out, std::ostream& err)>;

struct BatchExport {
    std::vector<std::string> scenes;
    // The folder that receives the files, as the user gave it.
    std::string folder;
    // The files' suffix, such as ".bef".
    std::string suffix;
    // Exports running at once, at least 1.
    int jobs = 1;
};

// True when an output path names a folder: it ends with "/", or it is an existing folder and
// several scenes are exported (one scene into an existing folder without the "/" is refused by
// the output checks, which name what to do).
bool IsFolderOutput(const std::string& path, size_t sceneCount);

// The file for `scene` in `folder`: the scene's file name without its extension (a scene
// document's whole ".pscene.json"), then `suffix`.
std::string BatchOutputPath(const std::string& folder, const std::string& scene,
                            const std::string& suffix);

// Runs `job` for every scene. Before any work, refuses (exit 2) a folder that cannot be made and
// two scenes that would write the same file. Afterwards prints one summary line.
int RunBatchExport(const BatchExport& batch, const SceneExportJob& job, std::ostream& out,
                   std::ostream& err);

}  // namespace pellucid::cli
