// The ZUT importer: how the reader finds the first mesh section and where it ends, what a line
// gives, and the scene the import builds.
#include <gtest/gtest.h>

#include <fstream>
#include <sstream>

#include "exchange/zut_import.h"
#include "standalone/support/model_support.h"
#include "support/script_files.h"

namespace pellucid::test {
namespace {

ZutSection Read(const std::string& text) {
    std::istringstream in(text);
    return ReadZutSection(in);
}

std::vector<Point3> Positions(const ZutSection& section) {
    std::vector<Point3> points;
    for (const ZutVertexLine& vertex : section.vertices) {
        points.push_back(vertex.position);
    }
    return points;
}

TEST(ZutReader, TakesTheSecondPositionOfEachVertexLineWhateverItsIndex) {
    const ZutSection section = Read(
        "written by hand\r\nCube_MeshNew();\r\nCube_Vertex(7,1,2,3,4,5,6);\r\n"
        "Cube_Vertex(0, 1.5e1,0,0,-0.25,+2,.5);\r\n");
    ASSERT_TRUE(section.found);
    EXPECT_EQ(section.sectionLine, 2);
    EXPECT_EQ(Positions(section), (std::vector<Point3>{{4, 5, 6}, {-0.25f, 2, 0.5f}}));
    EXPECT_EQ(section.end, ZutSection::End::EndOfFile);
}

TEST(ZutReader, FaceLinesNeedOnlyTheirFirstFourNumbers) {
    const ZutSection section =
        Read("Cube_MeshNew\nCube_Face(0,2,1,0);\nCube_Face(1,0,1,2,0,1,0);\nCube_Face(2,-1,0,1)\n");
    ASSERT_EQ(section.faces.size(), 3u);
    EXPECT_EQ(section.faces[0].corners, (std::array<DWORD, 3>{2, 1, 0}));
    EXPECT_EQ(section.faces[0].fields, 4);
    EXPECT_EQ(section.faces[1].fields, 7);
    EXPECT_TRUE(NamesMissingVertex(section.faces[2], 5));  // -1 is no vertex index
}

TEST(ZutReader, WhereTheSectionEnds) {
    struct Case {
        const char* name;
        std::string text;
        ZutSection::End end;
        int endLine;
        size_t vertices;
    };
    std::string thousandVertices, thousandFaces;
    for (int i = 0; i < 1025; ++i) {
        thousandVertices += "Cube_Vertex(0,0,0,0,1,1,1);\n";
        thousandFaces += "Cube_Face(0,0,0,0);\n";
    }
    const std::string v = "Cube_Vertex(0,0,0,0,1,1,1);\n";
    const Case cases[] = {
        {"a comment line", "Cube_MeshNew\n" + v + "// note\n" + v, ZutSection::End::NotRecognised,
         3, 1},
        {"a second section", "Cube_MeshNew\n" + v + "Cube_MeshNew\n" + v,
         ZutSection::End::NotRecognised, 3, 1},
        {"the vertex store", "Cube_MeshNew\n" + thousandVertices, ZutSection::End::VertexLimit,
         1026, 1024},
        {"the face store", "Cube_MeshNew\n" + thousandFaces, ZutSection::End::FaceLimit, 1026, 0},
        {"a long line", "Cube_MeshNew\n" + v + "Cube_Vertex(" + std::string(100000, '1') + "\n",
         ZutSection::End::LongLine, 3, 1},
        {"a last line without a line end", "Cube_MeshNew\n" + v + "Cube_Vertex(0,0,0,0,1,1,1);",
         ZutSection::End::Unterminated, 3, 1},
        {"the end of the file", "Cube_MeshNew\r\n" + v, ZutSection::End::EndOfFile, 2, 1},
    };
    for (const Case& c : cases) {
        const ZutSection section = Read(c.text);
        EXPECT_EQ(section.end, c.end) << c.name;
        EXPECT_EQ(section.endLine, c.endLine) << c.name;
        EXPECT_EQ(section.vertices.size(), c.vertices) << c.name;
    }
}

TEST(ZutReader, TheLineLimitCountsCharactersBeforeACrLf) {
    const std::string fits(1023 - 12, '0');
    const ZutSection kept = Read("Cube_MeshNew\nCube_Vertex(" + fits + "\r\n");
    EXPECT_EQ(kept.vertices.size(), 1u);
    EXPECT_EQ(kept.end, ZutSection::End::EndOfFile);
    const ZutSection cut = Read("Cube_MeshNew\nCube_Vertex(" + fits + "0\r\n");
    EXPECT_EQ(cut.end, ZutSection::End::LongLine);
}

TEST(ZutReader, WithoutASectionMarkerNothingIsFound) {
    for (const std::string& text :
         {std::string(""), std::string("Cube_Vertex(0,1,2,3,4,5,6);\r\n"),
          std::string(300, '\0') + "Cube_MeshNew\n", std::string(2000, 'x') + "\nCube_MeshNew\n"}) {
        EXPECT_FALSE(Read(text).found);
    }
}

TEST(ZutReader, NumbersThatDoNotParseReadAsZeroAndTheLineStillCounts) {
    const ZutSection section = Read(
        "Cube_MeshNew\nCube_Vertex(1,2,3,4,x,6,7);\nnoise Cube_Vertex(0,1,2,3,4,5,6);\n"
        "Cube_Vertex(0,1,2,3,4,5,1e99999);\nCube_Vertex(0,1,2,3,4,5,nan);\n"
        "Cube_Vertex(0,1,2,3 ,4,5,6);\n");
    ASSERT_EQ(section.vertices.size(), 5u);
    EXPECT_EQ(section.vertices[0].fields, 4);
    EXPECT_TRUE(section.vertices[0].position == Point3(0, 0, 0));
    EXPECT_EQ(section.vertices[1].fields, 0);
    EXPECT_TRUE(std::isinf(section.vertices[2].position.z));
    EXPECT_EQ(section.vertices[3].fields, 6);
    EXPECT_TRUE(section.vertices[3].position == Point3(4, 5, 0));
    // A blank may come before a number, not before a comma.
    EXPECT_EQ(section.vertices[4].fields, 4);
}

class ZutImportTest : public ::testing::Test {
  protected:
    // Imports `text` into a host that holds one node beforehand.
    int Import(const std::string& text) {
        const std::string path = ScratchPath("zut", "in.zut");
        std::ofstream(path, std::ios::binary) << text;
        doc::Document document;
        standalone::testing::AddNode(document, "Existing");
        host = standalone::testing::MakeHost(document);
        ZUTImport importer;
        return importer.DoImport(path.c_str(), host->GetImpInterface(), host.get());
    }
    std::unique_ptr<standalone::StandaloneHost> host;
};

TEST_F(ZutImportTest, BuildsOneMeshNamedZutObjectAtTheOriginInANewScene) {
    ASSERT_EQ(
        Import("Cube_MeshNew\r\nCube_Vertex(0,9,9,9,0,0,0);\r\nCube_Vertex(1,9,9,9,1,0,0);\r\n"
               "Cube_Vertex(2,9,9,9,0,1,0);\r\nCube_Face(0,0,1,2,0,1,0);\r\n"
               "Cube_Face(1,0,2,9,0,1,0);\r\n"),
        1);
    ASSERT_EQ(host->GetScene().NodesInTreeOrder().size(), 1u);
    INode* node = host->FindNodeByName("ZUT_Object");
    ASSERT_NE(node, nullptr);
    EXPECT_TRUE(node->GetNodeTM(0).IsIdentity());
    auto* tri = dynamic_cast<TriObject*>(node->EvalWorldState(0).obj);
    ASSERT_NE(tri, nullptr);
    const Mesh& mesh = tri->mesh;
    EXPECT_EQ(mesh.verts, (std::vector<Point3>{{0, 0, 0}, {1, 0, 0}, {0, 1, 0}}));
    EXPECT_EQ(mesh.getNumTVerts(), 3);
    // The face that names the missing vertex 9 is left out.
    ASSERT_EQ(mesh.getNumFaces(), 1);
    EXPECT_EQ(mesh.faces[0].v[2], 2u);
    EXPECT_EQ(mesh.faces[0].getSmGroup(), 0u);
    EXPECT_EQ(mesh.faces[0].flags, EDGE_ALL);
    EXPECT_TRUE(mesh.getFaceNormal(0) == Point3(0, 0, 1));
}

TEST_F(ZutImportTest, AnEmptySectionStillReplacesTheScene) {
    EXPECT_EQ(Import("Cube_MeshNew\n"), 1);
    EXPECT_NE(host->FindNodeByName("ZUT_Object"), nullptr);
    EXPECT_EQ(host->FindNodeByName("Existing"), nullptr);
}

TEST_F(ZutImportTest, AFileWithoutASectionIsRefusedAndTheSceneStays) {
    // What the exporter writes has no section marker.
    EXPECT_EQ(Import("Cube_Vertex(0,0,0.5,10,0,0.5,10);\r\nCube_Face(0,0,0,0,0,1,0);\r\n"), 0);
    EXPECT_NE(host->FindNodeByName("Existing"), nullptr);
    ZUTImport importer;
    EXPECT_EQ(importer.DoImport("/no/such/file.zut", host->GetImpInterface(), host.get()), 0);
}

}  // namespace
}  // namespace pellucid::test
