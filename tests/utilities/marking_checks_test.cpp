#include <gtest/gtest.h>

#include <random>

#include "utilities/check_mapping.h"
#include "utilities/check_volume.h"
#include "utilities/panel_test_support.h"

namespace pellucid::test {
namespace {

// A scene of one node holding a two-triangle quad with the given texture vertices.
std::string QuadWithUVs(const std::string& uvs, const std::string& extra = "") {
    return R"({"pellucidScene": 1, "nodes": [{"name": "Quad", "object": {"type": "mesh",
        "vertices": [[0,0,0],[1,0,0],[1,1,0],[0,1,0]], "faces": [[0,1,2],[2,3,0]],
        "uvVertices": )" +
           uvs + R"(, "uvFaces": [[0,1,2],[2,3,0]]}})" + extra + "]}";
}

struct CheckRun {
    std::string status;
    std::vector<int> marks;
};

CheckRun RunCheck(const std::string& json, const char* panel, int button,
                  const char* node = "Quad") {
    auto host = HostFromJson(json);
    auto session = Open(*host, panel);
    session->Press(button);
    return {session->StatusText(1003), *node ? SavedSelection(*host, node) : std::vector<int>{}};
}

TEST(CheckMapping, BoundsAreInclusiveAndNaNOrInfinityFails) {
    struct Case {
        const char* uvs;
        const char* status;
        std::vector<int> marks;
    };
    const Case cases[] = {
        {"[[100000,-100000],[-100000,100000],[0,0],[1,1]]", "Mapping OK", {}},
        {"[[100000.01,0],[0,0],[0,0],[0,0]]", "Mapping not OK.", {0, 1}},
        {"[[0,0],[\"Infinity\",0],[0,0],[0,0]]", "Mapping not OK.", {0}},
        {"[[0,0],[0,0],[0,0],[\"-Infinity\",0]]", "Mapping not OK.", {1}},
        {"[[0,0],[0,0],[0,\"NaN\"],[0,0]]", "Mapping not OK.", {0, 1}},
        {"[[0,0,1e30],[0,0,\"NaN\"],[0,0],[0,0]]", "Mapping OK", {}},
    };
    for (const Case& c : cases) {
        const CheckRun r = RunCheck(QuadWithUVs(c.uvs), "CheckMapping", 1006);
        EXPECT_EQ(r.status, c.status) << c.uvs;
        EXPECT_EQ(r.marks, c.marks) << c.uvs;
    }
}

TEST(CheckMapping, MeshesWithoutTextureCoordinates) {
    // Every face of a mesh without coordinates is marked.
    CheckRun r =
        RunCheck(R"({"pellucidScene": 1, "nodes": [{"name": "Quad", "object": {"type": "mesh",
        "vertices": [[0,0,0],[1,0,0],[1,1,0]], "faces": [[0,1,2],[0,2,1]]}}]})",
                 "CheckMapping", 1006);
    EXPECT_EQ(r.status, "Mapping not OK.");
    EXPECT_EQ(r.marks, (std::vector<int>{0, 1}));
    // Texture vertices and no faces pass; neither faces nor texture vertices fail, unmarked.
    r = RunCheck(R"({"pellucidScene": 1, "nodes": [{"name": "Quad", "object": {"type": "mesh",
        "uvVertices": [[0,0]]}}]})",
                 "CheckMapping", 1006);
    EXPECT_EQ(r.status, "Mapping OK");
    r = RunCheck(R"({"pellucidScene": 1, "nodes": [{"name": "Quad", "object": {"type": "mesh"}}]})",
                 "CheckMapping", 1006);
    EXPECT_EQ(r.status, "Mapping not OK.");
    EXPECT_TRUE(r.marks.empty());
    // Texture vertices without texture faces leave the faces without coordinates.
    r = RunCheck(R"({"pellucidScene": 1, "nodes": [{"name": "Quad", "object": {"type": "mesh",
        "vertices": [[0,0,0],[1,0,0],[1,1,0]], "faces": [[0,1,2]], "uvVertices": [[0,0]]}}]})",
                 "CheckMapping", 1006);
    EXPECT_EQ(r.marks, (std::vector<int>{0}));
}

TEST(CheckMapping, EmptyScenesAndNonMeshesPassAndPrimitivesLoseTheirMarks) {
    EXPECT_EQ(RunCheck(R"({"pellucidScene": 1})", "CheckMapping", 1006, "").status, "Mapping OK");
    auto host = HostFromJson(R"({"pellucidScene": 1, "nodes": [
        {"name": "Lamp", "object": {"type": "light"}},
        {"name": "Ball", "object": {"type": "sphere", "radius": 1, "segments": 4},
         "children": [{"name": "Quad", "object": {"type": "mesh",
            "vertices": [[0,0,0],[1,0,0],[1,1,0]], "faces": [[0,1,2]]}}]}]})");
    auto session = Open(*host, "CheckMapping");
    session->Press(1006);
    session->Press(1006);
    EXPECT_EQ(session->StatusText(1003), "Mapping not OK.");
    const auto* dlg = session->DlgProc<MarkingCheckDlgProc>();
    ASSERT_NE(dlg, nullptr);
    ASSERT_EQ(dlg->LastFindings().nodes.size(), 2u);
    EXPECT_TRUE(dlg->LastFindings().nodes[0].converted);
    EXPECT_EQ(dlg->LastFindings().nodes[0].faces.size(), 8u);
    EXPECT_FALSE(dlg->LastFindings().nodes[1].converted);
    // The sphere's marks were made on a conversion: the scene keeps none; the mesh keeps its.
    EXPECT_TRUE(SavedSelection(*host, "Ball").empty());
    EXPECT_EQ(SavedSelection(*host, "Quad"), (std::vector<int>{0}));
}

std::string MaterialScene(const std::string& material) {
    return R"({"pellucidScene": 1, "nodes": [{"name": "Quad", "material": )" + material +
           R"(, "object": {"type": "mesh", "vertices": [[0,0,0],[1,0,0],[1,1,0],[0,1,0]],
           "faces": [[0,1,2],[2,3,0]], "materialIds": [0, 1]}}]})";
}

TEST(CheckMaterial, KeywordsAnywhereInTheNameInAnyCase) {
    for (const char* name : {"wall_m01", "Line", "glass transparent", "PORTAL03"}) {
        const CheckRun r =
            RunCheck(MaterialScene(std::string(R"({"type": "standard", "name": ")") + name + "\"}"),
                     "CheckMaterial", 1005);
        EXPECT_EQ(r.status, "Material OK") << name;
    }
    for (const char* name : {"Wall", "M_wall"}) {
        const CheckRun r =
            RunCheck(MaterialScene(std::string(R"({"type": "standard", "name": ")") + name + "\"}"),
                     "CheckMaterial", 1005);
        EXPECT_EQ(r.status, "Material not OK.") << name;
        EXPECT_EQ(r.marks, (std::vector<int>{0, 1})) << name;
    }
}

TEST(CheckMaterial, MultiMaterialsAreJudgedPerFaceAndNoMaterialFailsEveryFace) {
    CheckRun r = RunCheck(MaterialScene(R"({"type": "multi", "name": "m", "subMaterials": [
        {"type": "standard", "name": "stone_M"}, {"type": "standard", "name": "stone"}]})"),
                          "CheckMaterial", 1005);
    EXPECT_EQ(r.status, "Material not OK.");
    EXPECT_EQ(r.marks, (std::vector<int>{1}));
    r = RunCheck(MaterialScene("null"), "CheckMaterial", 1005);
    EXPECT_EQ(r.marks, (std::vector<int>{0, 1}));
    EXPECT_EQ(RunCheck(R"({"pellucidScene": 1, "nodes": [{"name": "L", "object": {"type": "light"}},
        {"name": "D", "object": {"type": "dummy"}}]})",
                       "CheckMaterial", 1005, "L")
                  .status,
              "Material OK");
}

std::string BoxScene(const std::string& faces, const std::string& material = "null") {
    return R"({"pellucidScene": 1, "nodes": [{"name": "Box", "material": )" + material +
           R"(, "object": {"type": "mesh", "vertices": )" + BoxVertices() + R"(, "faces": )" +
           faces + "}}]}";
}

TEST(CheckVolume, ClosedAndOpenBoxes) {
    CheckRun r = RunCheck(BoxScene(BoxFaces()), "CheckVolume", 1004, "Box");
    EXPECT_EQ(r.status, "Volume OK");
    EXPECT_TRUE(r.marks.empty());
    // Without the top (faces 2, 3), the four border edges are owned by the lowest faces using
    // them: the sides' faces 3 (was 5), 5 (was 7), 7 (was 9) and 9 (was 11) after the removal.
    r = RunCheck(BoxScene(BoxFaces({2, 3})), "CheckVolume", 1004, "Box");
    EXPECT_EQ(r.status, "Volume not OK.");
    EXPECT_EQ(r.marks, (std::vector<int>{3, 5, 7, 9}));
    r = RunCheck(BoxScene(BoxFaces({2, 3}), R"({"type": "standard", "name": "box_open_top"})"),
                 "CheckVolume", 1004, "Box");
    EXPECT_EQ(r.status, "Volume OK");
}

TEST(CheckVolume, EdgeUseCounts) {
    struct Case {
        const char* faces;
        const char* status;
        std::vector<int> marks;
    };
    const Case cases[] = {
        {"[[0,1,2]]", "Volume not OK.", {0}},
        // Two faces sharing an edge in opposite order close it; the other edges stay open.
        {"[[0,1,2],[1,0,3]]", "Volume not OK.", {0, 1}},
        {"[[0,1,2],[0,2,1]]", "Volume OK", {}},
        // Used three times: open, and only its owner is marked for it.
        {"[[0,1,2],[0,2,1],[0,1,3],[1,0,3]]", "Volume OK", {}},
        {"[[0,1,2],[0,2,1],[0,1,3]]", "Volume not OK.", {0, 2}},
    };
    for (const Case& c : cases) {
        const std::string json =
            std::string(R"({"pellucidScene": 1, "nodes": [{"name": "Box", "object": {"type":
            "mesh", "vertices": [[0,0,0],[1,0,0],[0,1,0],[0,0,1]], "faces": )") +
            c.faces + "}}]}";
        const CheckRun r = RunCheck(json, "CheckVolume", 1004, "Box");
        EXPECT_EQ(r.status, c.status) << c.faces;
        EXPECT_EQ(r.marks, c.marks) << c.faces;
    }
    const CheckRun open = RunCheck(
        R"({"pellucidScene": 1, "nodes": [{"name": "Box", "material": {"type": "standard",
        "name": "Hole_Open_1"}, "object": {"type": "mesh", "vertices": [[0,0,0],[1,0,0],[0,1,0]],
        "faces": [[0,1,2]]}}]})",
        "CheckVolume", 1004, "Box");
    EXPECT_EQ(open.status, "Volume OK");
}

// The table that the described search (each edge looked for among the entries so far) builds.
std::vector<EdgeEntry> SearchedEdgeTable(const Mesh& mesh) {
    std::vector<EdgeEntry> table;
    for (int f = 0; f < mesh.getNumFaces(); ++f) {
        for (int j = 0; j < 3; ++j) {
            const DWORD a = mesh.faces[static_cast<size_t>(f)].v[j];
            const DWORD b = mesh.faces[static_cast<size_t>(f)].v[(j + 1) % 3];
            bool found = false;
            for (EdgeEntry& e : table) {
                if ((e.a == a && e.b == b) || (e.a == b && e.b == a)) {
                    ++e.useCount;
                    found = true;
                    break;
                }
            }
            if (!found) {
                table.push_back({a, b, 1, f});
            }
        }
    }
    return table;
}

TEST(CheckVolume, IndexedEdgeTableEqualsTheSearchedOne) {
    std::mt19937 random(7);
    for (int trial = 0; trial < 40; ++trial) {
        Mesh mesh;
        const int vertices = 2 + trial % 9;
        mesh.setNumFaces(1 + trial * 3);
        for (Face& face : mesh.faces) {
            face.setVerts(random() % vertices, random() % vertices, random() % vertices);
        }
        const std::vector<EdgeEntry> indexed = BuildEdgeTable(mesh);
        const std::vector<EdgeEntry> searched = SearchedEdgeTable(mesh);
        ASSERT_EQ(indexed.size(), searched.size());
        for (size_t i = 0; i < indexed.size(); ++i) {
            EXPECT_EQ(indexed[i].a, searched[i].a);
            EXPECT_EQ(indexed[i].b, searched[i].b);
            EXPECT_EQ(indexed[i].useCount, searched[i].useCount);
            EXPECT_EQ(indexed[i].owner, searched[i].owner);
        }
    }
}

}  // namespace
}  // namespace pellucid::test
