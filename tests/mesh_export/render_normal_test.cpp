// Smoothing-group normals: how records are shared and numbered, which record a face corner finds,
// and the "Normal(" and "Face(" lines that come out of them.
#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "mesh_test_support.h"

namespace {

using testing::ElementsAre;
using testing::SizeIs;

// A unit cube whose twelve faces carry `smoothing` (one word per face; sides are face pairs:
// bottom, top, front, back, left, right).
std::string Cube(const std::string& smoothing) {
    return R"({"pellucidScene": 1, "nodes": [{"name": "Cube", "object": {"type": "mesh",
        "vertices": [[0,0,0],[1,0,0],[1,1,0],[0,1,0],[0,0,1],[1,0,1],[1,1,1],[0,1,1]],
        "faces": [[0,2,1],[0,3,2],[4,5,6],[4,6,7],[0,1,5],[0,5,4],[2,3,7],[2,7,6],
                  [0,4,7],[0,7,3],[1,2,6],[1,6,5]],
        "smoothing": )" +
           smoothing + "}}]}";
}

TEST(RenderNormals, CubeWithSixSmoothingGroupsHasThreeNormalsPerCorner) {
    const MeshExport result = ExportMeshJson(Cube("[1,1,2,2,4,4,8,8,16,16,32,32]"));
    EXPECT_THAT(LinesStartingWith(result.lines, "Normal("), SizeIs(24));
    // The first entry is the bottom's normal at vertex 0.
    EXPECT_EQ(LinesStartingWith(result.lines, "Normal(")[0], "Normal(0,0,0,-1,-1,-1,-1,-1);");
}

TEST(RenderNormals, CubeInOneSmoothingGroupHasOneNormalPerCorner) {
    const MeshExport result = ExportMeshJson(Cube("[1,1,1,1,1,1,1,1,1,1,1,1]"));
    const auto normals = LinesStartingWith(result.lines, "Normal(");
    ASSERT_THAT(normals, SizeIs(8));
    // Vertex 0 averages the bottom, front and left sides, two faces each.
    EXPECT_EQ(normals[0], "Normal(0,-0.57735,-0.57735,-0.57735,-1,-1,-1,-1);");
    // Entries stand in the order in which the faces first use them: face 0 is 0, 2, 1. Vertex 2
    // lies in two bottom faces, two back faces and one right face: (1, 2, -2) / 3.
    EXPECT_EQ(normals[1], "Normal(1,0.333333,0.666667,-0.666667,-1,-1,-1,-1);");
}

// Three faces around vertex 0 with their smoothing words: how many normal entries are written and
// which entries the face corners get.
TEST(RenderNormals, CornersFindTheRecordSharingTheirGroupOrTheLastOne) {
    const struct {
        const char* vertices;
        const char* faces;
        const char* smoothing;
        size_t normals;
        std::vector<std::string> faceLines;
    } cases[] = {
        // Words 1, 2 and 0. Records used: vertex 0 head {1} and {2}, vertex 1 head, vertex 2 head
        // {1} and {2}, vertex 3 head {2} (face 2 added into it), vertex 4 head {0}. Face 2
        // (group 0) added its normal into the head of vertex 0, yet finds the record {2} there,
        // entry 3, as face 1 does; at vertex 3 the only record is the head, entry 5.
        {"[[0,0,0],[1,0,0],[1,1,0],[0,1,0],[-1,1,0]]",
         "[[0,1,2],[0,2,3],[0,3,4]]",
         "[1,2,0]",
         7,
         {"Face(0,0,2,1,0,2,1,0);", "Face(1,0,3,2,3,5,4,0);", "Face(2,0,4,3,3,6,5,0);"}},
        // Words 3, 2 and 4. Records: vertex 0 {3} (word 2 joins it) and {4}; vertex 1 {3} and
        // {4}; vertex 2 {3}; vertex 3 {2} and {4}. Face 1 finds the records of vertices 0 and 2
        // again and adds 3; face 2 adds 4, 5 and 6, the {4} records of vertices 0, 3 and 1.
        {"[[0,0,0],[1,0,0],[1,1,0],[0,1,0]]",
         "[[0,1,2],[0,2,3],[0,3,1]]",
         "[3,2,4]",
         7,
         {"Face(0,0,2,1,0,2,1,0);", "Face(1,0,3,2,0,3,2,0);", "Face(2,0,1,3,4,6,5,0);"}},
    };
    for (const auto& c : cases) {
        const MeshExport result = ExportMeshJson(
            std::string(R"({"pellucidScene": 1, "nodes": [{"name": "Fan", "object": {)") +
            R"("type": "mesh", "vertices": )" + c.vertices + R"(, "faces": )" + c.faces +
            R"(, "smoothing": )" + c.smoothing + "}}]}");
        EXPECT_THAT(LinesStartingWith(result.lines, "Normal("), SizeIs(c.normals)) << c.smoothing;
        EXPECT_EQ(LinesStartingWith(result.lines, "Face("), c.faceLines) << c.smoothing;
    }
}

TEST(RenderNormals, VertexUsedByNoFaceIsNumberedButNotWritten) {
    const MeshExport result = ExportMeshJson(R"({"pellucidScene": 1, "nodes": [{"name": "T",
        "object": {"type": "mesh", "vertices": [[9,9,9],[0,0,0],[1,0,0],[0,1,0]],
        "faces": [[1,2,3]], "smoothing": [1]}}]})");
    EXPECT_THAT(LinesStartingWith(result.lines, "Normal("),
                ElementsAre("Normal(0,0,0,1,-1,-1,-1,-1);", "Normal(1,0,0,1,-1,-1,-1,-1);",
                            "Normal(2,0,0,1,-1,-1,-1,-1);"));
    EXPECT_THAT(LinesStartingWith(result.lines, "Face("), ElementsAre("Face(0,1,3,2,0,2,1,0);"));
}

TEST(RenderNormals, ObjectOffsetScaleStretchesFaceNormalsBeforeNormalising) {
    // The face normal is (1, 0, 1); the pivot scales x by 2, giving (2, 0, 1) made unit length.
    const MeshExport result = ExportMeshJson(R"({"pellucidScene": 1, "nodes": [{"name": "T",
        "pivot": {"scale": [2,1,1]}, "object": {"type": "mesh",
        "vertices": [[0,0,0],[0,1,0],[-1,1,1]], "faces": [[0,1,2]]}}]})");
    EXPECT_THAT(LinesStartingWith(result.lines, "Normal("),
                ElementsAre("Normal(0,0.894427,0,0.447214,-1,-1,-1,-1);",
                            "Normal(1,0.894427,0,0.447214,-1,-1,-1,-1);",
                            "Normal(2,0.894427,0,0.447214,-1,-1,-1,-1);"));
}

TEST(RenderNormals, DegenerateFaceGivesAZeroNormal) {
    const MeshExport result = ExportMeshJson(R"({"pellucidScene": 1, "nodes": [{"name": "T",
        "object": {"type": "mesh", "vertices": [[0,0,0],[1,0,0],[2,0,0]],
        "faces": [[0,1,2]]}}]})");
    EXPECT_THAT(LinesStartingWith(result.lines, "Normal("),
                ElementsAre("Normal(0,0,0,0,-1,-1,-1,-1);", "Normal(1,0,0,0,-1,-1,-1,-1);",
                            "Normal(2,0,0,0,-1,-1,-1,-1);"));
}

}  // namespace
