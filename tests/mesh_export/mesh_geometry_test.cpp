// Vertex, face and texture-coordinate lines: the pivot space and scale of vertices, the winding of
// faces and texture triangles, and which faces get texture lines.
#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <string>

#include "mesh_test_support.h"

namespace {

using testing::ElementsAre;

// One triangle with vertex 0 at (1, 2, 3), in a node with the given extra fields.
std::string Triangle(const std::string& nodeFields) {
    return R"({"pellucidScene": 1, "nodes": [{"name": "T", )" + nodeFields +
           R"("object": {"type": "mesh", "vertices": [[1,2,3],[4,5,6],[7,8,10]],
              "faces": [[0,1,2]]}}]})";
}

std::string FirstVertexOf(const std::string& json) {
    const auto vertices = LinesStartingWith(ExportMeshJson(json).lines, "Vertex(");
    return vertices.empty() ? "" : vertices[0];
}

std::string FirstVertex(const std::string& nodeFields) {
    return FirstVertexOf(Triangle(nodeFields));
}

TEST(MeshVertices, WrittenInPivotSpaceWithTheNodeScale) {
    EXPECT_EQ(FirstVertex(""), "Vertex(0,1,2,3);");
    // The node's position and rotation are not applied.
    EXPECT_EQ(FirstVertex(R"("transform": {"position": [10,20,30]}, )"), "Vertex(0,1,2,3);");
    EXPECT_EQ(FirstVertex(R"("transform": {"matrix": [[0,1,0],[-1,0,0],[0,0,1],[5,5,5]]}, )"),
              "Vertex(0,1,2,3);");
    // The node's scale is.
    EXPECT_EQ(FirstVertex(R"("transform": {"scale": [2,2,2]}, )"), "Vertex(0,2,4,6);");
    EXPECT_EQ(FirstVertex(R"("transform": {"scale": [1,3,0.5]}, )"), "Vertex(0,1,6,1.5);");
    // The pivot's position moves the vertex, its scale is part of the object, not of the node.
    EXPECT_EQ(FirstVertex(R"("pivot": {"position": [1,0,0]}, )"), "Vertex(0,2,2,3);");
    EXPECT_EQ(FirstVertex(R"("pivot": {"scale": [2,1,1]}, )"), "Vertex(0,2,2,3);");
}

TEST(MeshVertices, MirroredNodeHasItsZNegated) {
    // A node that mirrors relative to its parent: the scale is unsigned, then z is turned over.
    EXPECT_EQ(FirstVertex(R"("transform": {"scale": [-1,1,1]}, )"), "Vertex(0,1,2,-3);");
    EXPECT_EQ(FirstVertex(R"("transform": {"scale": [1,-2,1]}, )"), "Vertex(0,1,4,-3);");
    // A pivot scale negative on every axis is applied once, by the offset transform.
    EXPECT_EQ(FirstVertex(R"("pivot": {"scale": [-1,-1,-1]}, )"), "Vertex(0,-1,-2,-3);");
    // What counts is the mirror relative to the parent, not in the world.
    const auto underMirroredParent = [](const std::string& childFields) {
        return FirstVertexOf(R"({"pellucidScene": 1, "nodes": [{"name": "P",
            "transform": {"scale": [-1,1,1]}, "children": [{"name": "T", )" +
                             childFields +
                             R"("object": {"type": "mesh", "vertices": [[1,2,3],[4,5,6],[7,8,10]],
            "faces": [[0,1,2]]}}]}]})");
    };
    EXPECT_EQ(underMirroredParent(""), "Vertex(0,1,2,3);");
    EXPECT_EQ(underMirroredParent(R"("transform": {"scale": [-1,1,1]}, )"), "Vertex(0,1,2,-3);");
}

TEST(MeshFaces, CornersTwoAndThreeSwapUnlessTheObjectMirrors) {
    EXPECT_THAT(LinesStartingWith(ExportMeshJson(Triangle("")).lines, "Face("),
                ElementsAre("Face(0,0,2,1,0,2,1,0);"));
    EXPECT_THAT(
        LinesStartingWith(ExportMeshJson(Triangle(R"("transform": {"scale": [-1,1,1]}, )")).lines,
                          "Face("),
        ElementsAre("Face(0,0,1,2,0,1,2,0);"));
    // A mirroring pivot mirrors the object too.
    EXPECT_THAT(LinesStartingWith(
                    ExportMeshJson(Triangle(R"("pivot": {"scale": [1,1,-1]}, )")).lines, "Face("),
                ElementsAre("Face(0,0,1,2,0,1,2,0);"));
}

// Seven textured faces; material ids pick a named sub-material (0), an unnamed one (1) or a
// material with a diffuse bitmap tiled 2 x 3 (2).
std::string TexturedStrip(const std::string& materialIds, const std::string& uvVertices,
                          const std::string& nodeFields = "") {
    return R"({"pellucidScene": 1,
      "maps": [{"id": "tiled", "type": "bitmap", "file": "p:\\t.tga", "tiling": [2,3]},
               {"id": "mult", "type": "rgbMultiply", "maps": [null, "tiled"]}],
      "materials": [
        {"id": "plain", "type": "standard", "name": "plain"},
        {"id": "unnamed", "type": "standard", "name": ""},
        {"id": "tiledMat", "type": "standard", "name": "tiled",
         "maps": [{"slot": 1, "map": "mult"}]},
        {"id": "multi", "type": "multi", "name": "multi",
         "subMaterials": ["plain", "unnamed", "tiledMat"]}],
      "nodes": [{"name": "Strip", "material": "multi", )" +
           nodeFields + R"("object": {"type": "mesh",
        "vertices": [[0,0,0],[1,0,0],[0,1,0]],
        "faces": [[0,1,2],[0,1,2],[0,1,2],[0,1,2],[0,1,2],[0,1,2],[0,1,2]],
        "materialIds": )" +
           materialIds + R"(, "uvVertices": )" + uvVertices + R"(,
        "uvFaces": [[0,1,2],[0,1,2],[0,1,2],[0,1,2],[0,1,2],[0,1,2],[3,4,5]]}}]})";
}

const char* const kStripUVs = "[[0.5,0.25],[1,0],[0,1],[0.1,0.2],[0.3,0.4],[0.5,0.6]]";

TEST(MeshTextureCoordinates, UnnamedMaterialFacesAreSkippedAndIndicesKept) {
    const MeshExport result = ExportMeshJson(TexturedStrip("[0,1,0,1,1,0,0]", kStripUVs));
    // Corners t0, t2, t1; faces 1, 3 and 4 have the unnamed material.
    EXPECT_THAT(LinesStartingWith(result.lines, "UV("),
                ElementsAre("UV(0,0.5,0.25,0,1,1,0);", "UV(2,0.5,0.25,0,1,1,0);",
                            "UV(5,0.5,0.25,0,1,1,0);", "UV(6,0.1,0.2,0.5,0.6,0.3,0.4);"));
    EXPECT_TRUE(result.messages.empty());
}

TEST(MeshTextureCoordinates, DiffuseBitmapTilingScalesUAndV) {
    // The tiled bitmap is reached through the RGB-multiply map's second sub-map.
    const MeshExport result = ExportMeshJson(TexturedStrip("[2,0,2,2,2,2,2]", kStripUVs));
    const auto uvs = LinesStartingWith(result.lines, "UV(");
    ASSERT_EQ(uvs.size(), 7u);
    EXPECT_EQ(uvs[0], "UV(0,1,0.75,0,3,2,0);");
    EXPECT_EQ(uvs[1], "UV(1,0.5,0.25,0,1,1,0);");
    EXPECT_EQ(uvs[6], "UV(6,0.2,0.6,1,1.8,0.6,1.2);");
}

TEST(MeshTextureCoordinates, MirroredObjectKeepsTheCornerOrder) {
    const MeshExport result = ExportMeshJson(
        TexturedStrip("[0,1,1,1,1,1,1]", kStripUVs, R"("transform": {"scale": [1,1,-1]}, )"));
    EXPECT_THAT(LinesStartingWith(result.lines, "UV("), ElementsAre("UV(0,0.5,0.25,1,0,0,1);"));
}

TEST(MeshTextureCoordinates, NaNEndsTheSectionWithOneWarning) {
    const MeshExport result = ExportMeshJson(TexturedStrip(
        "[0,0,0,0,0,0,0]", R"([[0.5,0.25],[1,0],[0,1],[0.1,"NaN"],[0.3,0.4],[0.5,0.6]])"));
    // Face 6 reads the NaN: faces 0 to 5 are written, then the warning; later sections go on.
    EXPECT_EQ(LinesStartingWith(result.lines, "UV(").size(), 6u);
    EXPECT_THAT(result.messages, ElementsAre("Warning: Illegal UV coordinate."));
    EXPECT_EQ(LinesStartingWith(result.lines, "Face(").size(), 7u);
}

TEST(MeshTextureCoordinates, NodeWithoutMaterialWritesNone) {
    const std::string json = R"({"pellucidScene": 1, "nodes": [{"name": "T", "object": {
        "type": "mesh", "vertices": [[0,0,0],[1,0,0],[0,1,0]], "faces": [[0,1,2]],
        "uvVertices": [[0,0],[1,0],[0,1]], "uvFaces": [[0,1,2]]}}]})";
    EXPECT_TRUE(LinesStartingWith(ExportMeshJson(json).lines, "UV(").empty());
}

}  // namespace
