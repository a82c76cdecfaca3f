// Objects of the scene model: primitives and their meshes, helpers, the library's collision box,
// and modifier stacks that make derived objects evaluating to editable meshes.
#include <gtest/gtest.h>

#include "objects/collbox.h"
#include "objects/collbox_mesh.h"
#include "standalone/support/model_support.h"
#include "standalone/support/scene_invariants.h"

namespace pellucid::standalone::testing {
namespace {

class FixedView : public View {
  public:
    Point2 ViewToScreen(Point3 p) override { return Point2(p.x, p.y); }
};

// One node per object, named after its index.
std::unique_ptr<StandaloneHost> HostWithObjects(const std::vector<doc::Object>& objects,
                                                std::vector<int> modifiersOfFirst = {}) {
    doc::Document document;
    for (size_t i = 0; i < objects.size(); ++i) {
        const int node = AddNode(document, Numbered("O", i));
        document.nodes[static_cast<size_t>(node)].object = AddObject(document, objects[i]);
    }
    for (int m : modifiersOfFirst) {
        document.nodes[0].modifiers.push_back(m);
    }
    if (!modifiersOfFirst.empty()) {
        doc::Modifier inert;
        inert.type = doc::ModifierType::Inert;
        inert.name = "Nothing";
        document.modifiers.push_back(inert);
    }
    return MakeHost(std::move(document));
}

TEST(ModelObjects, BoxConvertsToTheCollisionBoxMesh) {
    doc::Object box = ObjectOfType(doc::ObjectType::Box);
    box.length = 2;
    box.width = 4;
    box.height = 6;
    auto host = HostWithObjects({box});
    Object* object = host->FindNodeByName("O0")->EvalWorldState(0).obj;
    EXPECT_TRUE(object->ClassID() == boxObjectClassID);
    EXPECT_EQ(object->SuperClassID(), GEOMOBJECT_CLASS_ID);
    ASSERT_TRUE(object->CanConvertToType(triObjectClassID));
    EXPECT_FALSE(object->CanConvertToType(sphereClassID));
    Object* converted = object->ConvertToType(0, triObjectClassID);
    ASSERT_NE(converted, object);
    const Mesh& mesh = static_cast<TriObject*>(converted)->mesh;
    EXPECT_EQ(mesh.getNumVerts(), 8);
    EXPECT_EQ(mesh.getNumFaces(), 12);
    Mesh expected;
    BuildCollBoxMesh(expected, 2, 4, 6, 1, 1, 1, true);
    EXPECT_EQ(mesh.verts, expected.verts);
    ASSERT_EQ(mesh.tvFace.size(), expected.tvFace.size());
    for (int f = 0; f < 12; ++f) {
        EXPECT_EQ(mesh.faces[static_cast<size_t>(f)].v[0],
                  expected.faces[static_cast<size_t>(f)].v[0]);
        EXPECT_EQ(mesh.getFaceMtlIndex(f), expected.getFaceMtlIndex(f));
    }
    converted->DeleteMe();
}

TEST(ModelObjects, SphereOffersItsRadiusAndAnOutwardUVSphere) {
    doc::Object sphere = ObjectOfType(doc::ObjectType::Sphere);
    sphere.radius = 2.5f;
    sphere.segments = 8;
    auto host = HostWithObjects({sphere});
    INode* node = host->FindNodeByName("O0");
    Object* object = node->EvalWorldState(0).obj;
    EXPECT_TRUE(object->ClassID() == sphereClassID);
    EXPECT_TRUE(object->CanConvertToType(sphereClassID));
    EXPECT_TRUE(object->CanConvertToType(triObjectClassID));
    float radius = 0;
    Interval valid = FOREVER;
    ASSERT_NE(object->GetParamBlock(), nullptr);
    EXPECT_TRUE(object->GetParamBlock()->GetValue(object->GetParamBlockIndex(0), 0, radius, valid));
    EXPECT_EQ(radius, 2.5f);

    FixedView view;
    BOOL needDelete = TRUE;
    Mesh* mesh = static_cast<GeomObject*>(object)->GetRenderMesh(0, node, view, needDelete);
    ASSERT_NE(mesh, nullptr);
    EXPECT_FALSE(needDelete);
    // Poles and three rings of eight; fans at the poles and two bands of quads.
    EXPECT_EQ(mesh->getNumVerts(), 2 + 3 * 8);
    EXPECT_EQ(mesh->getNumFaces(), 8 + 8 + 2 * 2 * 8);
    for (const Point3& v : mesh->verts) {
        EXPECT_NEAR(v.Length(), 2.5f, 1e-5f);
    }
    mesh->buildNormals();
    for (int f = 0; f < mesh->getNumFaces(); ++f) {
        const Face& face = mesh->faces[static_cast<size_t>(f)];
        const Point3 centre =
            (mesh->verts[face.v[0]] + mesh->verts[face.v[1]] + mesh->verts[face.v[2]]) / 3.0f;
        EXPECT_GT(DotProd(mesh->getFaceNormal(f), centre), 0.0f) << "face " << f << " faces in";
    }
}

TEST(ModelObjects, HelpersLightsCamerasAndShapesDoNotConvert) {
    const std::pair<doc::ObjectType, SClass_ID> kinds[] = {
        {doc::ObjectType::Bone, HELPER_CLASS_ID},
        {doc::ObjectType::Dummy, HELPER_CLASS_ID},
        {doc::ObjectType::Light, LIGHT_CLASS_ID},
        {doc::ObjectType::Camera, CAMERA_CLASS_ID},
        {doc::ObjectType::Shape, SHAPE_CLASS_ID}};
    std::vector<doc::Object> objects;
    for (const auto& kind : kinds) {
        objects.push_back(ObjectOfType(kind.first));
    }
    auto host = HostWithObjects(objects);
    for (size_t i = 0; i < objects.size(); ++i) {
        Object* object = host->FindNodeByName(Numbered("O", i))->EvalWorldState(0).obj;
        ASSERT_NE(object, nullptr);
        EXPECT_EQ(object->SuperClassID(), kinds[i].second) << i;
        EXPECT_FALSE(object->CanConvertToType(triObjectClassID)) << i;
    }
    EXPECT_TRUE(host->FindNodeByName("O0")->EvalWorldState(0).obj->ClassID() == boneObjClassID);
    EXPECT_TRUE(host->FindNodeByName("O1")->EvalWorldState(0).obj->ClassID() == dummyClassID);
}

TEST(ModelObjects, CollisionBoxIsMadeThroughTheClassRegistry) {
    doc::Object box = ObjectOfType(doc::ObjectType::CollBox);
    box.length = 10;
    box.width = 20;
    box.height = 30;
    box.widthSegments = 2;
    box.lengthSegments = 3;
    box.heightSegments = 4;
    box.mapping = true;
    auto host = HostWithObjects({box});
    Object* object = host->FindNodeByName("O0")->EvalWorldState(0).obj;
    EXPECT_TRUE(object->ClassID() == COLLBOX_CLASS_ID);
    auto* collBox = dynamic_cast<CollBox*>(object);
    ASSERT_NE(collBox, nullptr);
    float width = 0;
    Interval valid = FOREVER;
    collBox->pblock->GetValue(PB_WIDTH, 0, width, valid);
    EXPECT_EQ(width, 20.0f);
    Object* converted = object->ConvertToType(0, triObjectClassID);
    EXPECT_EQ(static_cast<TriObject*>(converted)->mesh.getNumVerts(), 54);
    converted->DeleteMe();
}

TEST(ModelObjects, ModifiersMakeADerivedObjectThatEvaluatesToAnEditableMesh) {
    doc::Object sphere = ObjectOfType(doc::ObjectType::Sphere);
    sphere.radius = 1;
    auto host = HostWithObjects({sphere}, {0});
    INode* node = host->FindNodeByName("O0");
    Object* ref = node->GetObjectRef();
    EXPECT_EQ(ref->SuperClassID(), GEN_DERIVOB_CLASS_ID);
    EXPECT_TRUE(ref->ClassID() == derivObjClassID);
    auto* derived = static_cast<IDerivedObject*>(ref);
    ASSERT_EQ(derived->NumModifiers(), 1);
    EXPECT_STREQ(derived->GetModifier(0)->GetName(), "Nothing");
    EXPECT_TRUE(derived->GetObjRef()->ClassID() == sphereClassID);

    Object* evaluated = node->EvalWorldState(0).obj;
    EXPECT_TRUE(evaluated->ClassID() == triObjectClassID);
    EXPECT_FALSE(evaluated->CanConvertToType(sphereClassID));
    EXPECT_EQ(evaluated->ConvertToType(0, triObjectClassID), evaluated);
    EXPECT_EQ(static_cast<TriObject*>(evaluated)->mesh.getNumVerts(), 2 + 7 * 16);
    // The same object again at the same time.
    EXPECT_EQ(node->EvalWorldState(0).obj, evaluated);
    ExpectSceneInvariants(host.get(), host->GetExpInterface()->theScene);
}

TEST(ModelObjects, HelpersStayHelpersUnderModifiers) {
    auto host = HostWithObjects({ObjectOfType(doc::ObjectType::Bone)}, {0});
    INode* node = host->FindNodeByName("O0");
    EXPECT_EQ(node->GetObjectRef()->SuperClassID(), GEN_DERIVOB_CLASS_ID);
    EXPECT_TRUE(node->EvalWorldState(0).obj->ClassID() == boneObjClassID);
}

TEST(ModelObjects, EditableMeshKeepsItsFacesAndSelection) {
    doc::Object mesh = TriangleMesh();
    mesh.mesh.smoothing = {6};
    mesh.mesh.materialIds = {3};
    mesh.mesh.uvVertices = {{0, 0, 0}, {1, 0, 0}, {0, 1, 0}};
    mesh.mesh.uvFaces = {{2, 1, 0}};
    doc::Document document;
    const int node = AddNode(document, "Mesh");
    document.nodes[0].object = AddObject(document, mesh);
    document.nodes[static_cast<size_t>(node)].selectedFaces = {0};
    auto host = MakeHost(std::move(document));
    auto* tri = dynamic_cast<TriObject*>(host->FindNodeByName("Mesh")->EvalWorldState(0).obj);
    ASSERT_NE(tri, nullptr);
    EXPECT_EQ(tri->mesh.faces[0].getSmGroup(), 6u);
    EXPECT_EQ(tri->mesh.getFaceMtlIndex(0), 3);
    EXPECT_EQ(tri->mesh.tvFace[0].t[0], 2u);
    EXPECT_TRUE(tri->mesh.faceSel[0]);
    EXPECT_EQ(tri->ConvertToType(0, triObjectClassID), tri);
}

}  // namespace
}  // namespace pellucid::standalone::testing
