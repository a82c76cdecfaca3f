// The ZUT exporter: whole files from scene documents, which nodes it writes, and the object that
// changes shape between frame 0 and frame 10.
#include <gtest/gtest.h>

#include <filesystem>

#include "exchange/zut_exporter.h"
#include "standalone/document/scene_document_io.h"
#include "standalone/support/model_support.h"
#include "support/fake_node.h"
#include "support/script_files.h"

namespace pellucid::test {
namespace {

const std::string kScenes = std::string(PELLUCID_TEST_DATA) + "/scenes/";
const std::string kGolden = std::string(PELLUCID_TEST_DATA) + "/golden/zut/";

std::string ExportZut(standalone::StandaloneHost& host) {
    const std::string path = ScratchPath("zut", "out.zut");
    std::filesystem::remove(path);
    ZUTExporter exporter;
    EXPECT_EQ(exporter.DoExport(path.c_str(), host.GetExpInterface(), &host), TRUE);
    return ReadBytes(path);
}

std::string ExportZut(const doc::Document& document) {
    auto host = standalone::testing::MakeHost(document);
    return ExportZut(*host);
}

TEST(ZutExport, WritesTheGoldenFileForMorphedAndStaticMeshes) {
    // ZUTwave moves between frame 0 and 10: its first positions are the frame-10 ones, and a
    // vertex far from every rest vertex meets a tie that only the index order settles. ZUTbox
    // stands still: both positions agree, and its indices start again from 0. ZUTwave hangs
    // below a dummy, before ZUTbox in tree order. A lower-case prefix and a helper are not
    // written.
    const std::string bytes =
        ExportZut(standalone::ReadSceneDocument(kScenes + "zut_objects.pscene.json"));
    EXPECT_EQ(bytes, ReadBytes(kGolden + "zut_objects.zut"));
    for (const std::string& line : ScriptLines(bytes)) {
        if (line.rfind("Cube_Face(", 0) == 0) {
            EXPECT_EQ(line.substr(line.size() - 8), ",0,1,0);") << line;
        }
    }
}

TEST(ZutExport, WritesNothingWithoutZutNodesAndSucceedsWhenTheFileCannotBeOpened) {
    doc::Document document;
    const int node = standalone::testing::AddNode(document, "Zutbox");
    document.nodes[static_cast<size_t>(node)].object =
        standalone::testing::AddObject(document, standalone::testing::TriangleMesh());
    EXPECT_EQ(ExportZut(document), "");

    auto host = standalone::testing::MakeHost(document);
    ZUTExporter exporter;
    EXPECT_EQ(exporter.DoExport("/no/such/folder/out.zut", host->GetExpInterface(), host.get()),
              TRUE);
    EXPECT_FALSE(std::filesystem::exists("/no/such/folder/out.zut"));
}

// Frame 10 is ten of the scene's frames: at 200 ticks a frame, tick 2000, where the morph has
// lifted the first corner all the way.
TEST(ZutExport, FrameTenFollowsTheScenesTicksPerFrame) {
    doc::Document document;
    document.settings.ticksPerFrame = 200;
    const int node = standalone::testing::AddNode(document, "ZUTlift");
    document.nodes[static_cast<size_t>(node)].object =
        standalone::testing::AddObject(document, standalone::testing::TriangleMesh());
    document.modifiers.push_back(standalone::testing::Morpher({0}, {{0, 0, 10}}, 2000));
    document.nodes[static_cast<size_t>(node)].modifiers = {0};
    const std::vector<std::string> lines = ScriptLines(ExportZut(document));
    ASSERT_EQ(lines.size(), 4u);
    EXPECT_EQ(lines[0], "Cube_Vertex(0,0,0,10,0,0,0);");
}

// A node whose one evaluated object the host updates in place, with no vertices at frame 0.
class GrowingNode : public FakeNode {
  public:
    GrowingNode() : FakeNode("ZUTgrowing") {}
    const ObjectState& EvalWorldState(TimeValue t, BOOL) override {
        object.mesh.verts.clear();
        object.mesh.faces.clear();
        if (t != 0) {
            object.mesh.verts = {{1, 2, 3}, {4, 5, 6}, {7, 8, 9}};
            object.mesh.setNumFaces(1);
            object.mesh.faces[0].setVerts(2, 1, 0);
        }
        return state;
    }
    TriObject object;
    ObjectState state{&object};
};

class OneNodeScene : public IScene {
  public:
    explicit OneNodeScene(INode* node) : node_(node) {}
    int EnumTree(ITreeEnumProc* proc) override { return proc->callback(node_) == 0 ? 1 : 0; }

  private:
    INode* node_;
};

TEST(ZutExport, AVertexWithoutARestShapeStandsForItself) {
    GrowingNode node;
    OneNodeScene scene(&node);
    ExpInterface ei;
    ei.theScene = &scene;
    const std::string path = ScratchPath("zut", "growing.zut");
    ZUTExporter exporter;
    exporter.DoExport(path.c_str(), &ei, nullptr);
    EXPECT_EQ(
        ScriptLines(ReadBytes(path)),
        (std::vector<std::string>{"Cube_Vertex(0,1,2,3,1,2,3);", "Cube_Vertex(1,4,5,6,4,5,6);",
                                  "Cube_Vertex(2,7,8,9,7,8,9);", "Cube_Face(0,2,1,0,0,1,0);"}));
}

}  // namespace
}  // namespace pellucid::test
