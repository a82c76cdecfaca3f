#include "mesh_test_support.h"

#include <filesystem>

#include "mesh_export/expo_mesh.h"

std::string ScratchPath(const std::string& name) {
    return pellucid::test::ScratchPath("mesh_export", name);
}

bool FileExists(const std::string& path) {
    return std::filesystem::exists(path);
}

MeshExport ExportMesh(const pellucid::doc::Document& document) {
    return pellucid::test::RunExport<ExpoMesh>(document, ScratchPath("out.mef"));
}

MeshExport ExportMeshJson(const std::string& json) {
    return ExportMesh(SceneFromJson(json));
}
