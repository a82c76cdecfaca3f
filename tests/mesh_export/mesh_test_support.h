// Helpers of the mesh exporter's tests: scratch files, reading scripts back, and exporting scene
// documents through the stand-alone host.
#pragma once

#include "support/script_files.h"

#include <string>
#include <vector>

#include "standalone/document/scene_document.h"

// A path in the build folder for a file named `name`, unique to the running test.
std::string ScratchPath(const std::string& name);
using pellucid::test::ReadBytes;
using pellucid::test::ScriptLines;
bool FileExists(const std::string& path);

// What one mesh export gave: the file's bytes and lines, the result, and the message boxes shown
// as "caption: text".
struct MeshExport {
    int result = 0;
    std::string bytes;
    std::vector<std::string> lines;
    std::vector<std::string> messages;
};

// Reads a scene document from JSON text (images and side files relative to the test data).
pellucid::doc::Document SceneFromJson(const std::string& json);
// Exports the scene with the mesh exporter into a scratch file.
MeshExport ExportMesh(const pellucid::doc::Document& document);
MeshExport ExportMeshJson(const std::string& json);

// The lines that begin with `prefix`, in order.
std::vector<std::string> LinesStartingWith(const std::vector<std::string>& lines,
                                           const std::string& prefix);
