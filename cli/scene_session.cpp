#include "cli/scene_session.h"

#include <CLI/CLI.hpp>
#include <cctype>
#include <exception>
#include <ostream>

#include "standalone/document/scene_document_io.h"

namespace pellucid::cli {

void AddSceneOptions(CLI::App& command, SceneOptions& scene) {
    command.add_option("scene", scene.scenePath, "Scene document (*.pscene.json)")
        ->required()
        ->check(CLI::ExistingFile);
    command.add_option("--map-drive", scene.driveMaps,
                       "Map a drive letter of the library's platform paths to a folder, as "
                       "LETTER=FOLDER (the debug trace log is written on drive d:)");
}

std::unique_ptr<standalone::StandaloneHost> LoadScene(const SceneOptions& options,
                                                      std::ostream& err) {
    for (const std::string& map : options.driveMaps) {
        if (map.size() < 3 || map[1] != '=' || !std::isalpha(static_cast<unsigned char>(map[0]))) {
            err << "pellucid: --map-drive " << map << ": expected LETTER=FOLDER, such as d=/tmp\n";
            return nullptr;
        }
    }
    // Drives are mapped before the library loads: it opens its trace log then.
    std::vector<std::pair<char, std::string>> drives;
    for (const std::string& map : options.driveMaps) {
        drives.emplace_back(map[0], map.substr(2));
    }
    try {
        return std::make_unique<standalone::StandaloneHost>(
            standalone::ReadSceneDocument(options.scenePath), drives);
    } catch (const standalone::DocumentError& e) {
        err << "pellucid: " << e.what() << "\n";
    } catch (const std::exception& e) {
        err << "pellucid: " << options.scenePath << ": " << e.what() << "\n";
    }
    return nullptr;
}

}  // namespace pellucid::cli
