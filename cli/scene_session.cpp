#include "cli/scene_session.h"

#include <CLI/CLI.hpp>
#include <algorithm>
#include <cctype>
#include <exception>
#include <filesystem>
#include <ostream>

#include "cli/import_watchdog.h"
#include "cli/suggestions.h"
#include "standalone/document/scene_document_io.h"
#include "standalone/interchange/interchange_import.h"

namespace pellucid::cli {

namespace {

constexpr const char* kSceneHelp =
    "The scene: a scene document (*.pscene.json), or an asset (.gltf .glb .fbx .3ds .dae .obj) "
    "converted on load";

void AddDriveOption(CLI::App& command, SceneOptions& scene) {
    // One value per use, so that the scene after "--map-drive d=/x" is not taken as a second
    // mapping.
    command
        .add_option("--map-drive", scene.driveMaps,
                    "Map a drive letter of the library's platform paths to a folder, as "
                    "LETTER=FOLDER (the debug trace log is written on drive d:); repeat the "
                    "option for more drives")
        ->allow_extra_args(false);
    command.add_flag("--allow-outside-files", scene.allowOutsideFiles,
                     "Read side files and images that the scene document names outside its own "
                     "folder (absolute paths, or paths that climb out with ..)");
}

}  // namespace

void AddSceneOptions(CLI::App& command, SceneOptions& scene) {
    command.add_option("scene", scene.scenePath, kSceneHelp)->required()->check(CLI::ExistingFile);
    AddDriveOption(command, scene);
}

void AddSceneListOptions(CLI::App& command, std::vector<std::string>& scenes, SceneOptions& scene) {
    command
        .add_option("scenes", scenes,
                    std::string(kSceneHelp) + "; several scenes are exported into a folder")
        ->required()
        ->check(CLI::ExistingFile);
    AddDriveOption(command, scene);
}

bool EndsWithIgnoringCase(std::string_view text, std::string_view lowerSuffix) {
    return text.size() >= lowerSuffix.size() &&
           std::equal(
               lowerSuffix.begin(), lowerSuffix.end(), text.end() - lowerSuffix.size(),
               [](char a, char b) { return a == std::tolower(static_cast<unsigned char>(b)); });
}

bool IsSceneDocumentPath(const std::string& path) {
    return EndsWithIgnoringCase(path, ".json");
}

std::optional<doc::Document> ReadSceneFile(const std::string& path, std::ostream& err,
                                           bool allowOutsideFiles) {
    try {
        if (IsSceneDocumentPath(path)) {
            standalone::ReadOptions options;
            options.allowOutsidePaths = allowOutsideFiles;
            options.allowOutsideRemedy = "pass --allow-outside-files";
            return standalone::ReadSceneDocument(path, options);
        }
        const interchange::ConversionOptions options;
        const ImportWatchdog watchdog(path, options.timeLimitSeconds);
        interchange::Conversion conversion = interchange::ConvertInterchangeFile(path, options);
        for (const std::string& line : interchange::DescribeConversion(conversion.report)) {
            err << "note: " << path << ": " << line << "\n";
        }
        return std::move(conversion.document);
    } catch (const standalone::DocumentError& e) {
        err << "pellucid: " << e.what() << "\n";
    } catch (const interchange::ConversionError& e) {
        err << "pellucid: " << e.what() << "\n";
    } catch (const std::exception& e) {
        err << "pellucid: " << path << ": " << e.what() << "\n";
    }
    return std::nullopt;
}

namespace {

// "d=/tmp" into ('d', "/tmp"); false after printing why for a malformed one.
bool ParseDriveMaps(const std::vector<std::string>& maps,
                    std::vector<std::pair<char, std::string>>& drives, std::ostream& err) {
    for (const std::string& map : maps) {
        if (map.size() < 3 || map[1] != '=' || !std::isalpha(static_cast<unsigned char>(map[0]))) {
            err << "pellucid: --map-drive " << map << ": expected LETTER=FOLDER, such as d=/tmp\n";
            return false;
        }
        drives.emplace_back(map[0], map.substr(2));
    }
    return true;
}

}  // namespace

std::unique_ptr<standalone::StandaloneHost> LoadScene(const SceneOptions& options,
                                                      std::ostream& err) {
    // Drives are mapped before the library loads: it opens its trace log then.
    std::vector<std::pair<char, std::string>> drives;
    if (!ParseDriveMaps(options.driveMaps, drives, err)) {
        return nullptr;
    }
    std::optional<doc::Document> document =
        ReadSceneFile(options.scenePath, err, options.allowOutsideFiles);
    if (!document) {
        return nullptr;
    }
    try {
        return std::make_unique<standalone::StandaloneHost>(std::move(*document), drives);
    } catch (const std::exception& e) {
        err << "pellucid: " << options.scenePath << ": " << e.what() << "\n";
    }
    return nullptr;
}

std::unique_ptr<standalone::StandaloneHost> NewEmptyScene(const std::vector<std::string>& driveMaps,
                                                          std::ostream& err) {
    std::vector<std::pair<char, std::string>> drives;
    if (!ParseDriveMaps(driveMaps, drives, err)) {
        return nullptr;
    }
    return std::make_unique<standalone::StandaloneHost>(doc::Document(), drives);
}

std::vector<std::string> SceneInputFiles(const SceneOptions& options,
                                         standalone::StandaloneHost& host) {
    std::vector<std::string> files{options.scenePath};
    const standalone::Scene& scene = host.GetScene();
    for (const standalone::MapEntry& map : scene.Maps()) {
        if (map.source.image.kind == doc::Image::Kind::File) {
            files.push_back(
                (std::filesystem::path(scene.baseDirectory) / map.source.image.path).string());
        }
    }
    return files;
}

std::string NodeNameSuggestion(standalone::StandaloneHost& host, const std::string& name) {
    std::vector<std::string> names;
    for (const standalone::SceneNode* node : host.GetScene().NodesInTreeOrder()) {
        names.push_back(node->Name());
    }
    return DidYouMean(name, names);
}

int WriteErrorOf(const standalone::StandaloneHost& host, const std::string& path) {
    const auto found = host.WriteErrors().find(path);
    return found != host.WriteErrors().end() ? found->second : 0;
}

}  // namespace pellucid::cli
