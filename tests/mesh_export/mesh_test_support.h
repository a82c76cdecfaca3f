// Helpers of the mesh exporter's tests: scratch files, and exports of scene documents through the
// stand-alone host.
#pragma once

#include <string>

#include "support/script_exports.h"

using pellucid::test::LinesStartingWith;
using pellucid::test::ReadBytes;
using pellucid::test::SceneFromJson;
using pellucid::test::ScriptLines;
using MeshExport = pellucid::test::ScriptExport;

// A path in the build folder for a file named `name`, unique to the running test.
std::string ScratchPath(const std::string& name);
bool FileExists(const std::string& path);

// Exports the scene with the mesh exporter into a scratch file.
MeshExport ExportMesh(const pellucid::doc::Document& document);
MeshExport ExportMeshJson(const std::string& json);
