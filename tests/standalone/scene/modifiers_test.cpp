// Modifiers of the scene model: the skin's export interface and deformation, morph weights, and
// the stack below a modifier as Object::Eval gives it.
#include <gtest/gtest.h>

#include "host/morph.h"
#include "host/physique.h"
#include "standalone/support/model_support.h"
#include "standalone/support/scene_invariants.h"

namespace pellucid::standalone::testing {
namespace {

// A skin mesh of four vertices bound to two bones, one of them rotated and off the origin.
struct SkinScene {
    doc::Document document;
    int boneA = 0, boneB = 0, skin = 0;

    SkinScene() {
        boneA = AddNode(document, "BoneA");
        boneB = AddNode(document, "BoneB", boneA);
        skin = AddNode(document, "Skin");
        document.nodes[static_cast<size_t>(boneA)].object =
            AddObject(document, ObjectOfType(doc::ObjectType::Bone));
        document.nodes[static_cast<size_t>(boneB)].object =
            AddObject(document, ObjectOfType(doc::ObjectType::Bone));
        document.nodes[static_cast<size_t>(boneA)].transform =
            Matrix(TurnMatrix(33, {1, 2, 3}) * TransMatrix({0.1f, 0.7f, -3.3f}));
        document.nodes[static_cast<size_t>(boneB)].transform =
            Matrix(TurnMatrix(-71, {0, 1, 0}) * TransMatrix({5.3f, 0, 0}));
        document.nodes[static_cast<size_t>(skin)].transform =
            Matrix(TurnMatrix(12, {0, 0, 1}) * TransMatrix({1.7f, -2.9f, 0.3f}));
        doc::Pivot pivot;
        pivot.position = {0.3f, 0.2f, 0.1f};
        document.nodes[static_cast<size_t>(skin)].pivot = pivot;
        doc::Object mesh;
        mesh.type = doc::ObjectType::Mesh;
        mesh.mesh.vertices = {
            {0.1f, 0.2f, 0.3f}, {1.3f, -0.7f, 2.9f}, {-4.1f, 3.3f, 0.7f}, {9.9f, 9.9f, 9.9f}};
        mesh.mesh.faces = {{0, 1, 2}, {1, 2, 3}};
        document.nodes[static_cast<size_t>(skin)].object = AddObject(document, mesh);
        doc::Modifier physique;
        physique.type = doc::ModifierType::Physique;
        physique.skinVertices.push_back(doc::SkinVertex{{boneA}, {1.0f}, 1});
        physique.skinVertices.push_back(doc::SkinVertex{{boneA, boneB}, {0.25f, 0.75f}, 5});
        physique.skinVertices.push_back(doc::SkinVertex{{boneB}, {1.0f}, 2});
        physique.skinVertices.push_back(std::nullopt);
        document.modifiers.push_back(physique);
        document.nodes[static_cast<size_t>(skin)].modifiers = {0};
    }

    doc::Modifier& Physique() { return document.modifiers[0]; }
};

Mesh EvaluatedMesh(INode* node, TimeValue t) {
    return static_cast<TriObject*>(node->EvalWorldState(t).obj)->mesh;
}

TEST(ModelSkin, BindPoseLeavesEveryVertexBitExact) {
    SkinScene scene;
    const std::vector<Point3> original = scene.document.objects[2].mesh.vertices;
    auto host = MakeHost(scene.document);
    EXPECT_EQ(EvaluatedMesh(host->FindNodeByName("Skin"), 0).verts, original);
    ExpectSceneInvariants(host.get(), host->GetExpInterface()->theScene);
}

TEST(ModelSkin, AMovedBoneMovesItsVertices) {
    SkinScene scene;
    scene.document.nodes[static_cast<size_t>(scene.boneB)].position =
        LinearMove(0, {5.3f, 0, 0}, 100, {5.3f, 0, 10});
    const std::vector<Point3> original = scene.document.objects[2].mesh.vertices;
    auto host = MakeHost(scene.document);
    INode* skin = host->FindNodeByName("Skin");
    INode* boneB = host->FindNodeByName("BoneB");
    const Mesh moved = EvaluatedMesh(skin, 100);
    // Vertex 0 hangs on bone A alone, which stands still.
    EXPECT_TRUE(moved.verts[0] == original[0]);
    EXPECT_TRUE(moved.verts[3] == original[3]);  // no binding
    // Vertex 2 follows bone B rigidly: in world space it moves with B's motion.
    const Matrix3 objectTM = skin->GetObjectTM(100);
    const Point3 bound = original[2] * objectTM;
    const Point3 expected = bound * Inverse(boneB->GetNodeTM(0)) * boneB->GetNodeTM(100);
    EXPECT_TRUE(PointsNear(moved.verts[2] * objectTM, expected));
    // Vertex 1 moves three quarters of the way that bone B alone would move it.
    const Point3 start = original[1] * objectTM;
    const Point3 withB = start * Inverse(boneB->GetNodeTM(0)) * boneB->GetNodeTM(100);
    EXPECT_TRUE(PointsNear(moved.verts[1] * objectTM, start + (withB - start) * 0.75f));
    // Back at time 0 nothing has moved.
    EXPECT_EQ(EvaluatedMesh(skin, 0).verts, original);
}

TEST(ModelSkin, ExportInterfaceGivesContextsVerticesAndInitialTransforms) {
    SkinScene scene;
    const Matrix3 initialA = TransMatrix({7, 7, 7});
    scene.Physique().boneInitialTransforms = {{scene.boneA, initialA}};
    auto host = MakeHost(scene.document);
    INode* skin = host->FindNodeByName("Skin");
    INode* boneA = host->FindNodeByName("BoneA");
    INode* boneB = host->FindNodeByName("BoneB");
    Modifier* physique = static_cast<IDerivedObject*>(skin->GetObjectRef())->GetModifier(0);
    EXPECT_TRUE(physique->ClassID() == physiqueClassID);
    auto* phy = static_cast<IPhysiqueExport*>(physique->GetInterface(I_PHYINTERFACE));
    ASSERT_NE(phy, nullptr);

    Matrix3 tm;
    EXPECT_EQ(phy->GetInitNodeTM(skin, tm), MATRIX_RETURNED);
    EXPECT_TRUE(tm == skin->GetObjectTM(0));
    EXPECT_EQ(phy->GetInitNodeTM(boneA, tm), MATRIX_RETURNED);
    EXPECT_TRUE(tm == initialA);
    EXPECT_EQ(phy->GetInitNodeTM(boneB, tm), MATRIX_RETURNED);
    EXPECT_TRUE(tm == boneB->GetNodeTM(0));
    EXPECT_EQ(phy->GetInitNodeTM(host->GetRootNode(), tm), NODE_NOT_FOUND);

    IPhyContextExport* context = phy->GetContextInterface(skin);
    ASSERT_NE(context, nullptr);
    ASSERT_EQ(context->GetNumberVertices(), 4);
    IPhyVertexExport* deformable = context->GetVertexInterface(2);
    EXPECT_EQ(deformable->GetVertexType(), DEFORMABLE_TYPE);
    context->ReleaseVertexInterface(deformable);
    context->ConvertToRigid(TRUE);
    auto* rigid = static_cast<IPhyRigidVertex*>(context->GetVertexInterface(0));
    EXPECT_EQ(rigid->GetVertexType(), RIGID_TYPE);
    EXPECT_EQ(rigid->GetNode(), boneA);
    auto* blended = static_cast<IPhyBlendedRigidVertex*>(context->GetVertexInterface(1));
    EXPECT_EQ(blended->GetVertexType(), RIGID_BLENDED_TYPE);
    ASSERT_EQ(blended->GetNumberNodes(), 2);
    EXPECT_EQ(blended->GetNode(1), boneB);
    EXPECT_EQ(blended->GetWeight(0), 0.25f);
    EXPECT_EQ(context->GetVertexInterface(2)->GetVertexType(), RIGID_TYPE);
    EXPECT_EQ(context->GetVertexInterface(3), nullptr);
    phy->ReleaseContextInterface(context);

    // A fresh context sees the types as the document gave them.
    IPhyContextExport* again = phy->GetContextInterface(skin);
    EXPECT_EQ(again->GetVertexInterface(2)->GetVertexType(), DEFORMABLE_TYPE);
    phy->ReleaseContextInterface(again);
    EXPECT_EQ(phy->GetContextInterface(boneA), nullptr);
}

TEST(ModelSkin, DocumentCanTakeAwayTheInterfaceOrTheContext) {
    SkinScene noInterface;
    noInterface.Physique().exportInterface = false;
    auto host = MakeHost(noInterface.document);
    Modifier* physique =
        static_cast<IDerivedObject*>(host->FindNodeByName("Skin")->GetObjectRef())->GetModifier(0);
    EXPECT_EQ(physique->GetInterface(I_PHYINTERFACE), nullptr);

    SkinScene noContext;
    noContext.Physique().context = false;
    host = MakeHost(noContext.document);
    INode* skin = host->FindNodeByName("Skin");
    auto* phy = static_cast<IPhysiqueExport*>(static_cast<IDerivedObject*>(skin->GetObjectRef())
                                                  ->GetModifier(0)
                                                  ->GetInterface(I_PHYINTERFACE));
    ASSERT_NE(phy, nullptr);
    EXPECT_EQ(phy->GetContextInterface(skin), nullptr);
}

doc::Document MorphScene(doc::FloatTrack weight) {
    doc::Document document;
    const int node = AddNode(document, "Face");
    document.nodes[static_cast<size_t>(node)].object = AddObject(document, TriangleMesh());
    doc::Modifier morpher;
    morpher.type = doc::ModifierType::Morpher;
    doc::MorphChannelData channel;
    channel.index = 5;
    channel.name = "Smile";
    channel.hasData = 1;
    channel.enabled = 1;
    channel.points = {1};
    channel.deltas = {{0, 0, 0}, {0, 0, 2}};  // vertex 2 has no offset: it counts as zero
    channel.weight = std::move(weight);
    morpher.channels.push_back(channel);
    document.modifiers.push_back(morpher);
    document.nodes[static_cast<size_t>(node)].modifiers = {0};
    return document;
}

TEST(ModelMorph, ChannelsMoveVerticesByWeightOverAHundred) {
    doc::FloatTrack weight;
    weight.keys = {{0, 0.0f}, {100, 50.0f}};
    auto host = MakeHost(MorphScene(weight));
    INode* face = host->FindNodeByName("Face");
    EXPECT_TRUE(EvaluatedMesh(face, 0).verts[1] == Point3(1, 0, 0));
    const Mesh half = EvaluatedMesh(face, 100);
    EXPECT_TRUE(half.verts[1] == Point3(1, 0, 1));
    EXPECT_TRUE(half.verts[2] == Point3(0, 1, 0));
    EXPECT_TRUE(PointsNear(EvaluatedMesh(face, 50).verts[1], {1, 0, 0.5f}));
}

TEST(ModelMorph, ChannelsAreReadThroughTheMorphInterface) {
    doc::FloatTrack weight;
    weight.constant = true;
    weight.keys = {{0, 100.0f}};
    auto host = MakeHost(MorphScene(weight));
    Modifier* morpher =
        static_cast<IDerivedObject*>(host->FindNodeByName("Face")->GetObjectRef())->GetModifier(0);
    EXPECT_TRUE(morpher->ClassID() == morpherClassID);
    auto* channels = static_cast<IMorphChannels*>(morpher->GetInterface(I_MORPHCHANNELS));
    ASSERT_NE(channels, nullptr);
    const MorphChannel& smile = channels->GetChannel(5);
    EXPECT_STREQ(smile.name.data(), "Smile");
    EXPECT_EQ(smile.hasData, 1);
    EXPECT_EQ(smile.enabled, 1);
    EXPECT_EQ(smile.points, std::vector<int>{1});
    EXPECT_EQ(channels->GetChannel(0).hasData, 0);
    EXPECT_EQ(channels->GetChannel(99).enabled, 0);
}

// The morph scene, its weight rising from 0 to 100 over 100 ticks, with `top` (which the scene
// takes over) placed on the face's stack above the morpher.
std::unique_ptr<StandaloneHost> MorphSceneUnder(Modifier* top) {
    doc::FloatTrack weight;
    weight.keys = {{0, 0.0f}, {100, 100.0f}};
    auto host = MakeHost(MorphScene(weight));
    auto* face = static_cast<SceneNode*>(host->FindNodeByName("Face"));
    host->GetScene().AddModifier({std::unique_ptr<Modifier>(top), doc::Modifier()});
    face->SetModifiers({top, face->Modifiers()[0]});
    return host;
}

// Records what Object::Eval gives the modifier at times 0 and 100.
class ProbeModifier : public Modifier {
  public:
    void ModifyObject(TimeValue t, ModContext&, ObjectState* os, INode*) override {
        Object* below0 = os->obj->Eval(0).obj;
        Object* below100 = os->obj->Eval(100).obj;
        seenAt0 = below0->GetPoint(1);
        seenAt100 = below100->GetPoint(1);
        os->obj->SetPoint(0, Point3(-1, -1, -1));
    }
    Point3 seenAt0, seenAt100;
};

TEST(ModelModifiers, EvalGivesTheStackBelowTheModifier) {
    auto* probe = new ProbeModifier();
    auto host = MorphSceneUnder(probe);
    INode* face = host->FindNodeByName("Face");

    Object* top = face->EvalWorldState(50).obj;
    EXPECT_TRUE(probe->seenAt0 == Point3(1, 0, 0));
    EXPECT_TRUE(probe->seenAt100 == Point3(1, 0, 2));
    EXPECT_TRUE(top->GetPoint(0) == Point3(-1, -1, -1));
    EXPECT_TRUE(top->GetPoint(1) == Point3(1, 0, 1));
    // The evaluated object's own Eval gives the whole stack at another time.
    EXPECT_TRUE(top->Eval(100).obj->GetPoint(1) == Point3(1, 0, 2));
    EXPECT_TRUE(top->Eval(100).obj->GetPoint(0) == Point3(-1, -1, -1));
}

// Evaluates its own node while the node's stack runs.
class SelfEvaluatingModifier : public Modifier {
  public:
    void ModifyObject(TimeValue t, ModContext&, ObjectState* os, INode* node) override {
        ++calls;
        seen = node->EvalWorldState(t).obj;
    }
    int calls = 0;
    Object* seen = nullptr;
};

TEST(ModelModifiers, TheEvaluatedObjectIsTheNodesCacheUpdatedInPlace) {
    auto* self = new SelfEvaluatingModifier();
    auto host = MorphSceneUnder(self);
    INode* face = host->FindNodeByName("Face");

    Object* atZero = face->EvalWorldState(0).obj;
    EXPECT_EQ(self->calls, 1);
    EXPECT_EQ(self->seen, atZero);
    EXPECT_EQ(face->EvalWorldState(0).obj, atZero);
    EXPECT_EQ(self->calls, 1);
    // A later evaluation at another time updates the same object, without a second run from
    // inside the stack.
    EXPECT_EQ(face->EvalWorldState(100).obj, atZero);
    EXPECT_EQ(self->calls, 2);
    EXPECT_TRUE(atZero->GetPoint(1) == Point3(1, 0, 2));
    face->EvalWorldState(0);
    EXPECT_EQ(self->calls, 3);
    EXPECT_TRUE(atZero->GetPoint(1) == Point3(1, 0, 0));
}

}  // namespace
}  // namespace pellucid::standalone::testing
