// A scene loaded into the stand-alone host for one command: a scene document, or an asset in an
// interchange format converted on load.
#pragma once

#include <iosfwd>
#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "cli/commands.h"
#include "standalone/document/scene_document.h"
#include "standalone/host/standalone_host.h"

namespace pellucid::cli {

// True for a scene document (*.json); every other file is read as an interchange asset.
bool IsSceneDocumentPath(const std::string& path);

// True when `text` ends with `lowerSuffix` (given in lower case), letter case ignored.
bool EndsWithIgnoringCase(std::string_view text, std::string_view lowerSuffix);

// Reads the scene file as a document: a scene document as it is, an asset converted with default
// options (its conversion report goes to `err` as note lines). On bad input prints one line
// "pellucid: ..." to `err` and gives nothing. A document's side files and images outside its
// folder are refused unless `allowOutsideFiles`.
std::optional<doc::Document> ReadSceneFile(const std::string& path, std::ostream& err,
                                           bool allowOutsideFiles = false);

// Loads the scene and builds the host; on bad input prints one line "pellucid: ..." to `err`
// and gives nothing.
std::unique_ptr<standalone::StandaloneHost> LoadScene(const SceneOptions& options,
                                                      std::ostream& err);
// A host with an empty scene, for an importer to fill, with the drives mapped.
std::unique_ptr<standalone::StandaloneHost> NewEmptyScene(const std::vector<std::string>& driveMaps,
                                                          std::ostream& err);

// The files a loaded scene was read from: the scene file and the images its maps name.
std::vector<std::string> SceneInputFiles(const SceneOptions& options,
                                         standalone::StandaloneHost& host);

// " (did you mean \"NAME\"?)" for the scene's node name closest to `name`, or "".
std::string NodeNameSuggestion(standalone::StandaloneHost& host, const std::string& name);

// The system's error number of the first failed write to `path` by the library, 0 for none.
int WriteErrorOf(const standalone::StandaloneHost& host, const std::string& path);

}  // namespace pellucid::cli
