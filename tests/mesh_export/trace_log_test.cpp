// The names the mesh exporter writes to the debug trace log as it enters its operations.
#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <filesystem>
#include <string>
#include <vector>

#include "mesh_export/expo_mesh.h"
#include "mesh_test_support.h"
#include "services/debug_log.h"
#include "standalone/standalone_host.h"

namespace {

using testing::ElementsAreArray;

TEST(MeshTraceLog, NamesEachOperationAsItStarts) {
    // One textured face of a standard material, then a magic vertex.
    pellucid::standalone::StandaloneHost host(SceneFromJson(R"({"pellucidScene": 1,
        "maps": [{"id": "t", "type": "bitmap", "file": "P:\\t.tga"}],
        "materials": [{"id": "m", "type": "standard", "name": "m",
                       "maps": [{"slot": 1, "map": "t"}]}],
        "nodes": [{"name": "T", "material": "m", "object": {"type": "mesh",
            "vertices": [[0,0,0],[1,0,0],[0,1,0]], "faces": [[0,1,2]],
            "uvVertices": [[0,0],[1,0],[0,1]], "uvFaces": [[0,1,2]]}},
          {"name": "MAGIC01", "object": {"type": "sphere", "radius": 1}}]})"));
    host.SetEchoMessages(false);
    const std::filesystem::path folder = ScratchPath("drive_d");
    std::filesystem::create_directories(folder / "project" / "pellucid" / "test");
    host.MapDrive('d', folder.string());
    OpenDebugLog();
    const std::string output = ScratchPath("out.mef");
    ExpoMesh().DoExport(output.c_str(), host.GetExpInterface(), &host);
    CloseDebugLog();

    std::vector<std::string> expected = {
        "EnumMesh_t",          "callback",          "OutputMesh",
        "OutputMeshNewObject", "BuildMaterialList", "GetMaterialPtr",
        "GetMaterialIndex",    "CheckMaterialPtr",  "OutputMeshMaterials"};
    // Twelve slots of the standard material, the diffuse one holding the bitmap.
    for (int slot = 0; slot < 12; ++slot) {
        expected.push_back("OutputMeshTMap");
        if (slot == 1) {
            expected.push_back("OutputMeshBitmapTex");
        }
    }
    for (const char* name :
         {"OutputMeshVertices", "RenderNormal_t",       "OutputMeshNormals",     "AddRenderNormals",
          "AddRGBVertices",     "GetNormalIndex",       "GetNormalIndex",        "GetNormalIndex",
          "OutputNormals",      "OutputMeshFaces",      "GetMaterialPtr",        "GetMaterialIndex",
          "OutputMeshUV",       "GetMaterialPtr",       "GetMaterialIndex",      "OutputModifiers",
          "OutputReferences",   "OutputBonesInfluence", "OutputBoneMagicVertex", "callback",
          "OutputMagicVertex",  "~EnumMesh_t"}) {
        expected.push_back(name);
    }
    const std::string log =
        ReadBytes((folder / "project" / "pellucid" / "test" / "debug.txt").string());
    EXPECT_THAT(ScriptLines(log), ElementsAreArray(expected));
}

}  // namespace
