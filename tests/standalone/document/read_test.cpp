// Reading valid scene documents: every section of the full test document, values and defaults.
#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <cmath>
#include <limits>

#include "standalone/support/document_equality.h"
#include "standalone/support/document_support.h"

namespace pellucid::standalone::test {
namespace {

using ::testing::ElementsAre;
using Pixel = std::array<std::uint8_t, 4>;

void ExpectNear(const Point3& actual, const Point3& expected) {
    EXPECT_NEAR(actual.x, expected.x, 1e-6f);
    EXPECT_NEAR(actual.y, expected.y, 1e-6f);
    EXPECT_NEAR(actual.z, expected.z, 1e-6f);
}

void ExpectNear(const Matrix3& actual, const Matrix3& expected) {
    for (int row = 0; row < 4; ++row) {
        SCOPED_TRACE(row);
        ExpectNear(actual[row], expected[row]);
    }
}

class FullDocument : public ::testing::Test {
  protected:
    static void SetUpTestSuite() {
        document_ = new doc::Document(
            ReadSceneDocument(ScenesDirectory() + "/document_everything.pscene.json"));
    }
    static void TearDownTestSuite() { delete document_; }
    static const doc::Document& D() { return *document_; }

  private:
    static doc::Document* document_;
};
doc::Document* FullDocument::document_ = nullptr;

TEST_F(FullDocument, ReadsTheSettings) {
    const doc::Settings& s = D().settings;
    EXPECT_EQ(s.ticksPerFrame, 80);
    EXPECT_EQ(s.animationStart, -160);
    EXPECT_EQ(s.animationEnd, 4800);
    EXPECT_EQ(s.time, 320);
    EXPECT_EQ(s.tension, 0.25f);
    EXPECT_EQ(s.continuity, -0.5f);
    EXPECT_EQ(s.bias, 0.125f);
    EXPECT_EQ(s.easeIn, 1.0f);
    EXPECT_EQ(s.easeOut, 2.0f);
    EXPECT_TRUE(s.loop);
    ASSERT_EQ(s.drives.size(), 2u);
    EXPECT_EQ(s.drives[0].root, "C:\\");
    EXPECT_EQ(s.drives[0].universalName, "");
    EXPECT_EQ(s.drives[1].universalName, "\\\\server\\textures\\");
    EXPECT_EQ(D().baseDirectory, ScenesDirectory());
}

TEST_F(FullDocument, NumbersNodesInTreeOrder) {
    std::vector<std::string> names;
    for (const doc::Node& node : D().nodes) {
        names.push_back(node.name);
    }
    EXPECT_THAT(names, ElementsAre("Root", "Body", "Body", "MAGIC0101", "Collision", "Helper",
                                   "Lamp", "Eye", "Path", "Crate", "Empty", "Spinner"));
    EXPECT_THAT(D().rootNodes, ElementsAre(0, 3, 4, 5, 6, 7, 8, 9, 10, 11));
    EXPECT_THAT(D().nodes[0].children, ElementsAre(1, 2));
    EXPECT_EQ(D().nodes[0].id, "root");
    EXPECT_EQ(D().nodes[2].id, "body2");
    EXPECT_EQ(D().nodes[3].id, "");
}

TEST_F(FullDocument, AppendsInlineEntriesAfterTheSharedOnesInReadingOrder) {
    // Materials: steel, multi, odd, then multi's inline sub-material and body2's material.
    ASSERT_EQ(D().materials.size(), 5u);
    EXPECT_THAT(D().materials[1].subMaterials, ElementsAre(0, -1, 3));
    EXPECT_EQ(D().materials[3].name, "shader");
    EXPECT_EQ(D().materials[3].id, "");
    EXPECT_EQ(D().nodes[2].material, 4);
    // Maps: the nine shared ones, steel's inline bump map, then the mask's inline mask.
    ASSERT_EQ(D().maps.size(), 11u);
    EXPECT_EQ(D().maps[9].file, "bump.tga");
    EXPECT_EQ(D().maps[10].file, "mask.png");
    // Objects: the shared quad, then the inline ones in node order.
    ASSERT_EQ(D().objects.size(), 9u);
    EXPECT_EQ(D().nodes[0].object, 1);
    EXPECT_EQ(D().nodes[1].object, 0);
    EXPECT_EQ(D().nodes[2].object, 0);
    EXPECT_EQ(D().nodes[9].object, 8);
    EXPECT_EQ(D().nodes[10].object, -1);
    // Modifiers: the shared skin, then Body's four inline modifiers.
    EXPECT_THAT(D().nodes[1].modifiers, ElementsAre(0, 1, 2, 3, 4));
    EXPECT_EQ(D().modifiers[2].type, doc::ModifierType::Inert);
    EXPECT_EQ(D().modifiers[2].name, "Edit Mesh");
    EXPECT_EQ(D().modifiers[3].type, doc::ModifierType::GameInfluence);
    EXPECT_EQ(D().modifiers[4].type, doc::ModifierType::ZUTMorph);
}

TEST_F(FullDocument, ReadsStandardMaterialsWithTheirSlots) {
    const doc::Material& steel = D().materials[0];
    EXPECT_EQ(steel.id, "steel");
    EXPECT_EQ(steel.name, "steel_M");
    EXPECT_EQ(steel.ambient, Color(0.1f, 0.2f, 0.3f));
    EXPECT_EQ(steel.diffuse, Color(0.4f, 0.5f, 0.6f));
    EXPECT_EQ(steel.specular, Color(0.7f, 0.8f, 0.9f));
    EXPECT_EQ(steel.shininess, 0.5f);
    EXPECT_EQ(steel.shininessStrength, 0.75f);
    EXPECT_EQ(steel.selfIllumination, 0.125f);
    EXPECT_EQ(steel.transparency, 0.25f);
    EXPECT_EQ(steel.transparencyType, doc::TransparencyType::Additive);
    ASSERT_EQ(steel.maps.size(), 3u);
    EXPECT_EQ(steel.maps[0].slot, 1);
    EXPECT_EQ(steel.maps[0].map, 0);
    EXPECT_EQ(steel.maps[0].amount, 0.5f);
    EXPECT_EQ(steel.maps[1].slot, 8);
    EXPECT_EQ(steel.maps[1].amount, 1.0f);
    EXPECT_EQ(steel.maps[2].slot, 6);
    EXPECT_EQ(steel.maps[2].map, -1);

    const doc::Material& inlineMaterial = D().materials[4];
    EXPECT_EQ(inlineMaterial.diffuse, Color(0.588f, 0.588f, 0.588f));
    EXPECT_EQ(inlineMaterial.shininess, 0.1f);
    EXPECT_EQ(D().materials[2].type, doc::MaterialType::Other);
}

TEST_F(FullDocument, DecodesImageFilesAndKeepsSyntheticImages) {
    const doc::Map& png = D().maps[0];
    EXPECT_EQ(png.file, "P:\\textures\\tiny.png");
    EXPECT_EQ(png.uTiling, 2.0f);
    EXPECT_EQ(png.vTiling, 0.5f);
    EXPECT_EQ(png.image.kind, doc::Image::Kind::File);
    EXPECT_EQ(png.image.path, "images/tiny.png");
    EXPECT_FALSE(png.image.fileMissing);
    EXPECT_EQ(png.image.width, 2);
    EXPECT_EQ(png.image.height, 2);
    EXPECT_THAT(png.image.pixels, ElementsAre(Pixel{255, 0, 0, 255}, Pixel{0, 255, 0, 255},
                                              Pixel{0, 0, 255, 255}, Pixel{255, 255, 255, 128}));

    // The file stores its bottom row first; pixels start at the top row.
    const doc::Image& tga = D().maps[1].image;
    EXPECT_EQ(tga.width, 3);
    EXPECT_EQ(tga.height, 1);
    EXPECT_THAT(tga.pixels,
                ElementsAre(Pixel{10, 20, 30, 255}, Pixel{40, 50, 60, 255}, Pixel{70, 80, 90, 0}));
    EXPECT_EQ(D().maps[1].uTiling, 1.0f);

    const doc::Image& missing = D().maps[2].image;
    EXPECT_TRUE(missing.fileMissing);
    EXPECT_TRUE(missing.pixels.empty());

    const doc::Image& fill = D().maps[3].image;
    EXPECT_EQ(fill.kind, doc::Image::Kind::Fill);
    EXPECT_EQ(fill.width, 64);
    EXPECT_EQ(fill.height, 32);
    EXPECT_EQ(fill.fill, (Pixel{1, 2, 3, 4}));
    EXPECT_TRUE(fill.pixels.empty());

    const doc::Image& pixels = D().maps[4].image;
    EXPECT_EQ(pixels.kind, doc::Image::Kind::Pixels);
    EXPECT_THAT(pixels.pixels, ElementsAre(Pixel{255, 0, 0, 255}, Pixel{0, 0, 255, 0}));

    const doc::Image& empty = D().maps[5].image;
    EXPECT_EQ(empty.kind, doc::Image::Kind::Fill);
    EXPECT_EQ(empty.width, 0);
    EXPECT_EQ(D().maps[9].image.kind, doc::Image::Kind::None);
}

TEST_F(FullDocument, ReadsCombiningMapsAsSubMapIndices) {
    EXPECT_EQ(D().maps[6].type, doc::MapType::RGBMultiply);
    EXPECT_THAT(D().maps[6].subMaps, ElementsAre(0, -1));
    EXPECT_EQ(D().maps[7].type, doc::MapType::Mask);
    EXPECT_THAT(D().maps[7].subMaps, ElementsAre(0, 10));
    EXPECT_EQ(D().maps[8].type, doc::MapType::Other);
    EXPECT_THAT(D().maps[8].subMaps, ElementsAre(1, 6));
}

TEST_F(FullDocument, ReadsMeshesAndPrimitives) {
    const doc::MeshData& quad = D().objects[0].mesh;
    EXPECT_EQ(D().objects[0].id, "quad");
    ASSERT_EQ(quad.vertices.size(), 4u);
    EXPECT_EQ(quad.vertices[2], Point3(1, 1, 0));
    EXPECT_THAT(quad.faces, ElementsAre(std::array<std::uint32_t, 3>{0, 1, 2},
                                        std::array<std::uint32_t, 3>{2, 3, 0}));
    EXPECT_THAT(quad.smoothing, ElementsAre(1u, 0xffffffffu));
    EXPECT_THAT(quad.materialIds, ElementsAre(0u, 2u));
    EXPECT_TRUE(quad.uvHasW);
    EXPECT_EQ(quad.uvVertices[1], Point3(1, 0, 0));
    EXPECT_EQ(quad.uvVertices[2], Point3(1, 1, 0.5f));
    EXPECT_EQ(quad.uvFaces.size(), 2u);

    const doc::Object& sphere = D().objects[2];
    EXPECT_EQ(sphere.type, doc::ObjectType::Sphere);
    EXPECT_EQ(sphere.radius, 0.5f);
    EXPECT_EQ(sphere.segments, 8);

    const doc::Object& collBox = D().objects[3];
    EXPECT_EQ(collBox.type, doc::ObjectType::CollBox);
    EXPECT_EQ(collBox.length, 1.0f);
    EXPECT_EQ(collBox.width, 2.0f);
    EXPECT_EQ(collBox.height, 3.0f);
    EXPECT_EQ(collBox.widthSegments, 2);
    EXPECT_EQ(collBox.lengthSegments, 0);  // the object clamps its parameters itself
    EXPECT_EQ(collBox.heightSegments, 300);
    EXPECT_TRUE(collBox.mapping);

    EXPECT_EQ(D().objects[1].type, doc::ObjectType::Bone);
    EXPECT_EQ(D().objects[4].type, doc::ObjectType::Dummy);
    EXPECT_EQ(D().objects[5].type, doc::ObjectType::Light);
    EXPECT_EQ(D().objects[6].type, doc::ObjectType::Camera);
    EXPECT_EQ(D().objects[7].type, doc::ObjectType::Shape);
    EXPECT_EQ(D().objects[8].type, doc::ObjectType::Box);
    EXPECT_EQ(D().objects[8].height, 30.0f);
}

TEST_F(FullDocument, ReadsSkinBindingsWithDefaultsForWeightsAndTypes) {
    const doc::Modifier& skin = D().modifiers[0];
    EXPECT_EQ(skin.type, doc::ModifierType::Physique);
    ASSERT_EQ(skin.skinVertices.size(), 4u);
    EXPECT_THAT(skin.skinVertices[0]->bones, ElementsAre(0));
    EXPECT_THAT(skin.skinVertices[0]->weights, ElementsAre(1.0f));
    EXPECT_EQ(skin.skinVertices[0]->type, 1);
    EXPECT_THAT(skin.skinVertices[1]->bones, ElementsAre(0, 3));
    EXPECT_THAT(skin.skinVertices[1]->weights, ElementsAre(0.25f, 0.75f));
    EXPECT_EQ(skin.skinVertices[1]->type, 5);
    EXPECT_FALSE(skin.skinVertices[2].has_value());
    EXPECT_EQ(skin.skinVertices[3]->type, 2);
    ASSERT_TRUE(skin.skinInitialTransform.has_value());
    EXPECT_EQ(skin.skinInitialTransform->GetTrans(), Point3(0, 0, 1));
    ASSERT_EQ(skin.boneInitialTransforms.size(), 2u);
    EXPECT_EQ(skin.boneInitialTransforms[0].first, 0);
    EXPECT_TRUE(skin.boneInitialTransforms[0].second.IsIdentity());
    EXPECT_EQ(skin.boneInitialTransforms[1].first, 3);
    EXPECT_EQ(skin.boneInitialTransforms[1].second.GetTrans(), Point3(0, 3, 2));
    EXPECT_FALSE(skin.exportInterface);
    EXPECT_TRUE(skin.context);
}

TEST_F(FullDocument, ReadsMorphChannels) {
    const doc::Modifier& morpher = D().modifiers[1];
    ASSERT_EQ(morpher.channels.size(), 2u);
    const doc::MorphChannelData& smile = morpher.channels[0];
    EXPECT_EQ(smile.index, 0);
    EXPECT_EQ(smile.name, "smile");
    EXPECT_EQ(smile.hasData, 1);
    EXPECT_EQ(smile.enabled, 1);
    EXPECT_THAT(smile.points, ElementsAre(0, 1));
    ASSERT_EQ(smile.deltas.size(), 4u);
    EXPECT_EQ(smile.deltas[1], Point3(0, 0, 2));
    EXPECT_TRUE(smile.weight.constant);
    ASSERT_EQ(smile.weight.keys.size(), 1u);
    EXPECT_EQ(smile.weight.keys[0].value, 50.0f);

    const doc::MorphChannelData& blink = morpher.channels[1];
    EXPECT_EQ(blink.index, 99);
    EXPECT_EQ(blink.hasData, 1);
    EXPECT_EQ(blink.enabled, 0);
    EXPECT_TRUE(blink.weight.step);
    EXPECT_FALSE(blink.weight.constant);
    ASSERT_EQ(blink.weight.keys.size(), 2u);
    EXPECT_EQ(blink.weight.keys[1].time, 10);
    EXPECT_EQ(blink.weight.keys[1].value, 100.0f);
}

TEST_F(FullDocument, ReadsNodeStateControllersAndLinks) {
    const doc::Node& root = D().nodes[0];
    ASSERT_TRUE(root.position.has_value());
    EXPECT_EQ(root.position->kind, doc::ControllerKind::Bezier);
    ASSERT_EQ(root.position->keys.size(), 2u);
    EXPECT_EQ(root.position->keys[0].outTangent, Point3(0.01f, 0, 0));
    EXPECT_EQ(root.position->keys[0].inTangent, Point3());
    EXPECT_EQ(root.position->keys[1].inTangent, Point3(-0.01f, 0, 0));
    EXPECT_EQ(root.rotation->kind, doc::ControllerKind::Tcb);
    EXPECT_EQ(root.scale->kind, doc::ControllerKind::Linear);
    EXPECT_EQ(root.scale->keys[1].value, Point3(2, 2, 2));
    EXPECT_FALSE(root.visibility->constant);
    EXPECT_EQ(root.visibility->keys[1].time, 100);
    EXPECT_EQ(root.pivot->position, Point3(0, 0, 0.5f));
    EXPECT_EQ(root.pivot->scale, Point3(2, 2, 2));

    const doc::Node& magic = D().nodes[3];
    EXPECT_TRUE(magic.hidden);
    EXPECT_TRUE(magic.selected);
    ASSERT_EQ(magic.link.size(), 3u);
    EXPECT_EQ(magic.link[0].node, 0);
    EXPECT_EQ(magic.link[1].node, -1);
    EXPECT_EQ(magic.link[1].time, 100);
    EXPECT_EQ(magic.link[2].node, 2);
    EXPECT_EQ(magic.link[2].time, 0);

    const doc::Node& body = D().nodes[1];
    EXPECT_THAT(body.selectedFaces, ElementsAre(1));
    EXPECT_EQ(body.material, 1);
    EXPECT_FALSE(body.transform.fromParts);
    EXPECT_EQ(body.transform.matrix.GetTrans(), Point3(5, 6, 7));

    const doc::Node& spinner = D().nodes[11];
    EXPECT_EQ(spinner.position->kind, doc::ControllerKind::Procedural);
    EXPECT_TRUE(spinner.position->keys.empty());
    EXPECT_TRUE(spinner.scale->keys.empty());
    EXPECT_FALSE(D().nodes[10].position.has_value());
    EXPECT_FALSE(D().nodes[10].visibility.has_value());
}

TEST_F(FullDocument, KeepsSpecialFloatValues) {
    const doc::Node& helper = D().nodes[5];
    EXPECT_TRUE(helper.transform.fromParts);
    EXPECT_EQ(helper.transform.position.x, 0.0f);
    EXPECT_TRUE(std::signbit(helper.transform.position.x));
    EXPECT_TRUE(std::isnan(helper.transform.position.y));
    EXPECT_EQ(helper.transform.position.z, -std::numeric_limits<float>::infinity());
    ASSERT_TRUE(helper.visibility->constant);
    EXPECT_EQ(helper.visibility->keys[0].time, 0);
    EXPECT_EQ(helper.visibility->keys[0].value, 0.5f);
}

TEST_F(FullDocument, ComposesTransformPartsAsScaleThenRotationThenTranslation) {
    const doc::Transform& t = D().nodes[0].transform;
    EXPECT_TRUE(t.fromParts);
    EXPECT_EQ(t.position, Point3(1, 2, 3));
    EXPECT_EQ(t.scale, Point3(1, 1, -1));
    // (1,0,0): scaled (1,0,0), turned 90 degrees about z to (0,1,0), moved to (1,3,3).
    ExpectNear(Point3(1, 0, 0) * t.matrix, Point3(1, 3, 3));
    // (0,0,1): mirrored to (0,0,-1), unturned, moved to (1,2,2).
    ExpectNear(Point3(0, 0, 1) * t.matrix, Point3(1, 2, 2));
}

doc::Transform TransformOf(std::string_view transform) {
    const std::string json =
        WithNode(std::string(R"("name": "A", "transform": )") + std::string(transform));
    return Parse(json).nodes[0].transform;
}

TEST(DocumentRotations, EveryFormGivesTheSameRightHandedTurn) {
    const Matrix3 expected(Point3(0, 1, 0), Point3(-1, 0, 0), Point3(0, 0, 1), Point3());
    ExpectNear(TransformOf(R"({"rotation": {"axisAngle": [0, 0, 1, 90]}})").matrix, expected);
    ExpectNear(TransformOf(R"({"rotation": {"axisAngle": [0, 0, 5, 90]}})").matrix, expected);
    ExpectNear(TransformOf(R"({"rotation": {"euler": [0, 0, 90]}})").matrix, expected);
    ExpectNear(
        TransformOf(R"({"rotation": {"matrix": [[0, 1, 0], [-1, 0, 0], [0, 0, 1]]}})").matrix,
        expected);
    // The host's quaternion of that turn has a negative z.
    const doc::Transform quat =
        TransformOf(R"({"rotation": {"quat": [0, 0, -0.70710678, 0.70710678]}})");
    ExpectNear(quat.matrix, expected);
    EXPECT_EQ(quat.rotation, Quat(0, 0, -0.70710678f, 0.70710678f));
    EXPECT_NEAR(TransformOf(R"({"rotation": {"axisAngle": [0, 0, 1, 90]}})").rotation.z,
                -0.70710678f, 1e-6f);
}

TEST(DocumentRotations, EulerAnglesTurnAboutXThenYThenZ) {
    const Matrix3 x = TransformOf(R"({"rotation": {"axisAngle": [1, 0, 0, 30]}})").matrix;
    const Matrix3 y = TransformOf(R"({"rotation": {"axisAngle": [0, 1, 0, 40]}})").matrix;
    const Matrix3 z = TransformOf(R"({"rotation": {"axisAngle": [0, 0, 1, 50]}})").matrix;
    ExpectNear(TransformOf(R"({"rotation": {"euler": [30, 40, 50]}})").matrix, x * y * z);
}

TEST(DocumentRotations, AZeroAxisWithoutAngleIsNoTurn) {
    EXPECT_EQ(TransformOf(R"({"rotation": {"axisAngle": [0, 0, 0, 0]}})").rotation, Quat());
}

// What a document leaves out takes its default: every member is compared with defaults made in
// code.
TEST(DocumentDefaults, WhatADocumentLeavesOutTakesItsDefault) {
    EXPECT_EQ(DescribeDocumentDifference(Parse(R"({"pellucidScene": 1})"), doc::Document{}, false),
              "");

    doc::Document named;
    named.nodes.resize(1);
    named.rootNodes = {0};
    EXPECT_EQ(DescribeDocumentDifference(Parse(WithNode(R"("name": "")")), named, false), "");

    // A skin vertex without weights shares them equally; with several bones it is rigid blended.
    doc::Document skinned;
    skinned.nodes.resize(3);
    skinned.rootNodes = {0, 1, 2};
    skinned.nodes[0].name = "A";
    skinned.nodes[1].name = "B";
    skinned.nodes[2].name = "Skin";
    skinned.nodes[2].object = 0;
    skinned.nodes[2].modifiers = {0};
    skinned.objects.resize(1);
    skinned.objects[0].mesh.vertices = {Point3(0, 0, 0)};
    skinned.modifiers.resize(1);
    skinned.modifiers[0].type = doc::ModifierType::Physique;
    skinned.modifiers[0].skinVertices = {doc::SkinVertex{{0, 1}, {0.5f, 0.5f}, 5}};
    EXPECT_EQ(DescribeDocumentDifference(Parse(R"({"pellucidScene": 1, "nodes": [
        {"name": "A"}, {"name": "B"},
        {"name": "Skin", "object": {"type": "mesh", "vertices": [[0, 0, 0]]},
         "modifiers": [{"type": "physique", "vertices": [{"bones": ["A", "B"]}]}]}]})"),
                                         skinned, false),
              "");
}

TEST(DocumentReferences, NodesAreFoundByIdFirstThenByUniqueName) {
    // "B" is the id of the first node and the name of the second: the id wins.
    const doc::Document d = Parse(R"({"pellucidScene": 1, "nodes": [
        {"id": "B", "name": "First"}, {"name": "B"}, {"name": "Second"},
        {"name": "Linked", "link": [{"target": "B"}, {"target": "Second", "time": 5}]}]})");
    ASSERT_EQ(d.nodes[3].link.size(), 2u);
    EXPECT_EQ(d.nodes[3].link[0].node, 0);
    EXPECT_EQ(d.nodes[3].link[1].node, 2);
}

TEST(DocumentReferences, SharedEntriesMayBeReferencedBeforeTheirList) {
    const doc::Document d = Parse(R"({"pellucidScene": 1,
        "nodes": [{"name": "A", "object": "o", "material": "m"}],
        "objects": [{"id": "o", "type": "dummy"}],
        "materials": [{"id": "m", "type": "other", "name": "x"}]})");
    EXPECT_EQ(d.nodes[0].object, 0);
    EXPECT_EQ(d.nodes[0].material, 0);
}

}  // namespace
}  // namespace pellucid::standalone::test

namespace pellucid::standalone::test {
namespace {

// The JSON block under "## A complete example" in the user documentation.
std::string DocumentationExample() {
    const std::string text = ReadBytes(std::string(PELLUCID_SOURCE_DIR) + "/docs/scene-format.md");
    const std::size_t section = text.find("## A complete example");
    const std::size_t start = text.find("```json\n", section);
    const std::size_t end = text.find("```\n", start + 8);
    if (section == std::string::npos || start == std::string::npos || end == std::string::npos) {
        return "";
    }
    return text.substr(start + 8, end - start - 8);
}

TEST(DocumentDocumentation, TheCompleteExampleReads) {
    const std::string example = DocumentationExample();
    ASSERT_FALSE(example.empty());
    const doc::Document d = Parse(example);
    ASSERT_EQ(d.nodes.size(), 3u);
    EXPECT_EQ(d.nodes[1].name, "Sign");
    EXPECT_EQ(d.nodes[1].material, 0);
    EXPECT_EQ(d.modifiers[0].skinVertices.size(), 4u);
    EXPECT_EQ(d.objects[d.nodes[2].object].type, doc::ObjectType::Sphere);
    EXPECT_TRUE(d.maps[0].image.fileMissing);
}

}  // namespace
}  // namespace pellucid::standalone::test
