// The library's classes as a host reaches them: through the class registry (LibClassDesc), never by
// naming a class.
#pragma once

#include <memory>
#include <string_view>

#include "host/plugin_classes.h"

namespace pellucid::cli {

// A new instance of the library's scene exporter for the file extension `ext` ("MEF"), or null
// when the library registers none.
std::unique_ptr<SceneExport> CreateSceneExporter(std::string_view ext);
// The same for a scene importer ("ZUT", "QMO").
std::unique_ptr<SceneImport> CreateSceneImporter(std::string_view ext);

}  // namespace pellucid::cli
