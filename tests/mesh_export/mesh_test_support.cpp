#include "mesh_test_support.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <sstream>

#include "mesh_export/expo_mesh.h"
#include "standalone/document/scene_document_io.h"
#include "standalone/host/standalone_host.h"

std::string ScratchPath(const std::string& name) {
    return pellucid::test::ScratchPath("mesh_export", name);
}

bool FileExists(const std::string& path) {
    return std::filesystem::exists(path);
}

pellucid::doc::Document SceneFromJson(const std::string& json) {
    return pellucid::standalone::ParseSceneDocument(json, PELLUCID_TEST_DATA "/scenes",
                                                    "inline.pscene.json");
}

MeshExport ExportMesh(const pellucid::doc::Document& document) {
    MeshExport result;
    const std::string path = ScratchPath("out.mef");
    std::filesystem::remove(path);
    pellucid::standalone::StandaloneHost host(document);
    host.SetEchoMessages(false);
    result.result = ExpoMesh().DoExport(path.c_str(), host.GetExpInterface(), &host);
    for (const auto& message : host.Messages()) {
        result.messages.push_back(message.caption + ": " + message.text);
    }
    result.bytes = ReadBytes(path);
    result.lines = ScriptLines(result.bytes);
    return result;
}

MeshExport ExportMeshJson(const std::string& json) {
    return ExportMesh(SceneFromJson(json));
}

std::vector<std::string> LinesStartingWith(const std::vector<std::string>& lines,
                                           const std::string& prefix) {
    std::vector<std::string> found;
    for (const std::string& line : lines) {
        if (line.compare(0, prefix.size(), prefix) == 0) {
            found.push_back(line);
        }
    }
    return found;
}
