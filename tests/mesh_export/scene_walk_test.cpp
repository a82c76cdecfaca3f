// How the scene walk picks the main object and the marker nodes, and what the driver guarantees:
// one block for the first main object, warnings for the others, the break line, the result.
#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "host/text_stream.h"
#include "mesh_export/enum_mesh.h"
#include "mesh_export/expo_mesh.h"
#include "mesh_test_support.h"
#include "standalone/host/standalone_host.h"

namespace {

using testing::ElementsAre;

const char* const kTriangle =
    R"({"type": "mesh", "vertices": [[0,0,0],[1,0,0],[0,1,0]], "faces": [[0,1,2]]})";

std::string Node(const std::string& name, const std::string& object,
                 const std::string& extra = "") {
    return R"({"name": ")" + name + R"(", "object": )" + object + extra + "}";
}

std::string Scene(const std::vector<std::string>& nodes) {
    std::string json = R"({"pellucidScene": 1, "nodes": [)";
    for (size_t i = 0; i < nodes.size(); ++i) {
        json += (i > 0 ? "," : "") + nodes[i];
    }
    return json + "]}";
}

TEST(MeshSceneWalk, GlowNameOnASphereIsAGlowPointOnABoxAMainObject) {
    const MeshExport sphere =
        ExportMeshJson(Scene({Node("glow01", R"({"type": "sphere", "radius": 2})")}));
    EXPECT_THAT(sphere.lines, ElementsAre("Glow(0,0,0,2,1,1,1);"));

    const MeshExport box = ExportMeshJson(
        Scene({Node("glow01", R"({"type": "box", "length": 1, "width": 1, "height": 1})")}));
    ASSERT_FALSE(box.lines.empty());
    EXPECT_EQ(box.lines[0], "NewObject(\"glow01\");");
}

TEST(MeshSceneWalk, MagicNameNeedsASphere) {
    const MeshExport sphere =
        ExportMeshJson(Scene({Node("Magic021", R"({"type": "sphere", "radius": 1})")}));
    EXPECT_THAT(sphere.lines, ElementsAre("MagicVertex(2,1,0,0,0,-1);"));
    const MeshExport mesh = ExportMeshJson(Scene({Node("MAGIC021", kTriangle)}));
    ASSERT_FALSE(mesh.lines.empty());
    EXPECT_EQ(mesh.lines[0], "NewObject(\"MAGIC021\");");
}

TEST(MeshSceneWalk, AttachNumbersComeFromThreeCharactersAfterThePrefix) {
    const MeshExport result = ExportMeshJson(Scene(
        {Node("Attach12x", kTriangle), Node("ATTACHabc", kTriangle), Node("ATTACH", kTriangle)}));
    // Sorted by number, equal numbers in scene order; none of them is a main object.
    EXPECT_THAT(LinesStartingWith(result.lines, "AttachObjectBoneID("),
                ElementsAre("AttachObjectBoneID(0,-1);", "AttachObjectBoneID(0,-1);",
                            "AttachObjectBoneID(12,-1);"));
    EXPECT_TRUE(LinesStartingWith(result.lines, "NewObject(").empty());
    // Top-level attached objects are linked to nothing but the scene root.
    EXPECT_THAT(result.messages,
                ElementsAre("Attach Object Error: ATTACHabc: Not linked to main object\n"
                            "ATTACH: Not linked to main object\n"
                            "Attach12x: Not linked to main object\n"));
}

TEST(MeshSceneWalk, AttachedObjectsBeyondTheFirst256AreDropped) {
    std::vector<std::string> nodes;
    for (int i = 0; i < 258; ++i) {
        nodes.push_back(Node("ATTACH" + std::to_string(999 - i) + "_X", kTriangle));
    }
    const MeshExport result = ExportMeshJson(Scene(nodes));
    const auto written = LinesStartingWith(result.lines, "AttachObjectBoneID(");
    // The first 256 met are kept (999 down to 744) and written in ascending order.
    ASSERT_EQ(written.size(), 256u);
    EXPECT_EQ(written.front(), "AttachObjectBoneID(744,-1);");
    EXPECT_EQ(written.back(), "AttachObjectBoneID(999,-1);");
}

TEST(MeshSceneWalk, TriggersAndHiddenNodesAreNeitherWrittenNorCounted) {
    const std::string json =
        Scene({Node("TRIGGERBOX", kTriangle), Node("Hidden", kTriangle, R"(, "hidden": true)"),
               Node("Body", kTriangle)});
    const MeshExport result = ExportMeshJson(json);
    EXPECT_THAT(LinesStartingWith(result.lines, "NewObject("), ElementsAre("NewObject(\"Body\");"));
    EXPECT_TRUE(result.messages.empty());
}

TEST(MeshSceneWalk, SecondMainObjectWarnsAndIsNotWritten) {
    const std::string json = Scene({Node("First", kTriangle), Node("Second", kTriangle),
                                    Node("Light", R"({"type": "light"})")});
    const MeshExport result = ExportMeshJson(json);
    EXPECT_THAT(LinesStartingWith(result.lines, "NewObject("),
                ElementsAre("NewObject(\"First\");"));
    EXPECT_THAT(result.messages, ElementsAre("Warning: More than one object in scene."));

    pellucid::standalone::StandaloneHost host(SceneFromJson(json));
    host.SetEchoMessages(false);
    TextStream out(ScratchPath("walk.mef"));
    EnumMesh_t worker(&out, 0, &host, "walk.mef");
    host.GetExpInterface()->theScene->EnumTree(&worker);
    EXPECT_EQ(worker.numObjects, 2);
}

TEST(MeshSceneWalk, SceneWithoutMainObjectGivesAnEmptyFile) {
    const MeshExport result = ExportMeshJson(Scene({Node("Light", R"({"type": "light"})")}));
    EXPECT_EQ(result.result, 1);
    EXPECT_EQ(result.bytes, "");
}

TEST(MeshExportDriver, BreakLineFollowsTheMaterials) {
    const MeshExport result = ExportMeshJson(Scene({Node("Body", kTriangle)}));
    // No material: the list holds one null entry, which writes nothing.
    ASSERT_GE(result.lines.size(), 2u);
    EXPECT_EQ(result.lines[0], "NewObject(\"Body\");");
    EXPECT_EQ(result.lines[1], "BreakScript();");
    EXPECT_EQ(result.result, 1);
}

TEST(MeshExportDriver, ExportIntoMissingFolderReturnsOneAndLeavesNoFile) {
    pellucid::standalone::StandaloneHost host(SceneFromJson(Scene({Node("Body", kTriangle)})));
    host.SetEchoMessages(false);
    const std::string path = ScratchPath("missing-folder/out.mef");
    EXPECT_EQ(ExpoMesh().DoExport(path.c_str(), host.GetExpInterface(), &host), 1);
    EXPECT_FALSE(FileExists(path));
    EXPECT_TRUE(host.Messages().empty());
}

}  // namespace
