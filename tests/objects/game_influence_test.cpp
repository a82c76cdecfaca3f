// The two library modifiers' shared declarations, and the game influence deformation on the
// stand-alone host's modifier stacks.
#include <gtest/gtest.h>

#include "plugin/library.h"
#include "standalone/support/model_support.h"
#include "support/library_fixture.h"

namespace pellucid::standalone::testing {
namespace {

// The names come from the string table, so the library is loaded for each case.
class LibraryModifiers : public LoadedLibraryTest {};

TEST_F(LibraryModifiers, DeclareTheirChannelsInputValidityAndName) {
    struct Expected {
        int classIndex;
        Class_ID id;
        const char* name;
    };
    for (const Expected& e : {Expected{10, Class_ID(0x24813565, 0x06b26ece), "GameInfluence"},
                              Expected{13, Class_ID(0x06385f7d, 0x27760920), "ZUTMorph"}}) {
        ClassDesc* desc = LibClassDesc(e.classIndex);
        std::unique_ptr<Modifier> modifier(static_cast<Modifier*>(desc->Create(FALSE)));
        EXPECT_TRUE(modifier->ClassID() == e.id) << e.name;
        EXPECT_EQ(modifier->SuperClassID(), 0x810u) << e.name;
        EXPECT_STREQ(modifier->GetName(), e.name);
        EXPECT_EQ(modifier->ChannelsUsed(), 0x402u) << e.name;
        EXPECT_EQ(modifier->ChannelsChanged(), 0x2u) << e.name;
        EXPECT_TRUE(modifier->InputType() == triObjectClassID) << e.name;
        EXPECT_TRUE(modifier->LocalValidity(123) == FOREVER) << e.name;
    }
}

// Bones A and B, and a skin whose mesh hangs on them: vertex 0 on A alone, vertex 1 on A by three
// quarters and on B by one, vertex 2 on both by quarters. B rises by 10 between ticks 0 and 100.
struct InfluenceScene {
    doc::Document document;
    int skin = 0;

    InfluenceScene() {
        const int boneA = AddNode(document, "BoneA");
        const int boneB = AddNode(document, "BoneB");
        for (int bone : {boneA, boneB}) {
            document.nodes[static_cast<size_t>(bone)].object =
                AddObject(document, ObjectOfType(doc::ObjectType::Bone));
        }
        document.nodes[static_cast<size_t>(boneA)].transform =
            Matrix(TurnMatrix(30, {0, 0, 1}) * TransMatrix({1, 2, 3}));
        document.nodes[static_cast<size_t>(boneB)].position =
            LinearMove(0, {4, 0, 0}, 100, {4, 0, 10});
        skin = AddNode(document, "Skin");
        document.nodes[static_cast<size_t>(skin)].transform =
            Matrix(TurnMatrix(90, {1, 0, 0}) * TransMatrix({0, 5, 0}));
        doc::Object mesh = TriangleMesh();
        mesh.mesh.vertices = {{1, 0, 0}, {2, 0, 0}, {0, 2, 0}};
        document.nodes[static_cast<size_t>(skin)].object = AddObject(document, mesh);
        doc::Modifier physique;
        physique.type = doc::ModifierType::Physique;
        physique.skinVertices = {doc::SkinVertex{{boneA}, {1.0f}, 1},
                                 doc::SkinVertex{{boneA, boneB}, {0.75f, 0.25f}, 5},
                                 doc::SkinVertex{{boneA, boneB}, {0.25f, 0.25f}, 5}};
        document.modifiers.push_back(physique);
        doc::Modifier influence;
        influence.type = doc::ModifierType::GameInfluence;
        influence.id = "influence";
        document.modifiers.push_back(influence);
        document.nodes[static_cast<size_t>(skin)].modifiers = {1, 0};
    }
};

std::vector<Point3> Evaluated(StandaloneHost& host, const char* node, TimeValue t) {
    return static_cast<TriObject*>(host.FindNodeByName(node)->EvalWorldState(t).obj)->mesh.verts;
}

Point3 ToWorld(StandaloneHost& host, const char* node, const Point3& p, TimeValue t) {
    return p * host.FindNodeByName(node)->GetObjectTM(t);
}

TEST(GameInfluence, VerticesFollowTheirBonesByUnnormalisedWeights) {
    InfluenceScene scene;
    auto host = MakeHost(scene.document);
    const std::vector<Point3> rest = Evaluated(*host, "Skin", 0);
    EXPECT_TRUE(PointsNear(rest[0], {1, 0, 0}));
    EXPECT_TRUE(PointsNear(rest[1], {2, 0, 0}));
    // Weights that add up to a half pull the vertex halfway to the world origin.
    const Point3 bound = ToWorld(*host, "Skin", {0, 2, 0}, 0);
    EXPECT_TRUE(PointsNear(ToWorld(*host, "Skin", rest[2], 0), bound * 0.5f));

    const std::vector<Point3> moved = Evaluated(*host, "Skin", 100);
    EXPECT_TRUE(PointsNear(moved[0], {1, 0, 0}));
    // A quarter of the way from staying with A to rising 10 with B.
    EXPECT_TRUE(PointsNear(ToWorld(*host, "Skin", moved[1], 100),
                           ToWorld(*host, "Skin", {2, 0, 0}, 0) + Point3(0, 0, 2.5f)));
    EXPECT_TRUE(
        PointsNear(ToWorld(*host, "Skin", moved[2], 100), bound * 0.5f + Point3(0, 0, 2.5f)));
}

TEST(GameInfluence, AMeshWithoutSkinIsLeftAsTheStackGaveIt) {
    InfluenceScene scene;
    scene.document.nodes[static_cast<size_t>(scene.skin)].modifiers = {1};
    const std::vector<Point3> original = scene.document.objects[2].mesh.vertices;
    auto host = MakeHost(scene.document);
    EXPECT_EQ(Evaluated(*host, "Skin", 100), original);
}

TEST(GameInfluence, OnTwoNodesTheNodeReportedLastDecides) {
    InfluenceScene scene;
    doc::Document& document = scene.document;
    const int other = AddNode(document, "Other");
    doc::Object mesh = TriangleMesh();
    mesh.mesh.vertices = {{7, 0, 0}, {8, 0, 0}, {9, 0, 0}};
    document.nodes[static_cast<size_t>(other)].object = AddObject(document, mesh);
    doc::Modifier physique = document.modifiers[0];
    physique.skinVertices = {doc::SkinVertex{{0}, {1.0f}, 1}, doc::SkinVertex{{0}, {1.0f}, 1},
                             doc::SkinVertex{{0}, {1.0f}, 1}};
    document.modifiers.push_back(physique);
    document.nodes[static_cast<size_t>(other)].modifiers = {1, 2};
    auto host = MakeHost(document);
    // "Skin" shows Other's base mesh in Other's object space: the last node decides both.
    const std::vector<Point3> skin = Evaluated(*host, "Skin", 0);
    EXPECT_TRUE(PointsNear(skin[0], {7, 0, 0}));
    EXPECT_TRUE(PointsNear(skin[2], {9, 0, 0}));
    EXPECT_TRUE(PointsNear(Evaluated(*host, "Other", 0)[1], {8, 0, 0}));
}

}  // namespace
}  // namespace pellucid::standalone::testing
