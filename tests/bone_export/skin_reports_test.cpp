// The skin pass on answers that a scene document cannot produce: missing initial transforms,
// vertex types left unconverted, bindings beyond the mesh, missing interfaces.
#include <gtest/gtest.h>

#include <functional>
#include <vector>

#include "bone_export/bone_tree.h"
#include "fake_skin.h"
#include "support/fake_platform.h"

namespace {

using namespace bone_test;

// A root with a bone and a lamp; the bone holds the skin, whose stack has one skin modifier.
struct SkinScene {
    SkinScene() : scope_(&platform) {
        root.AddChild(&bone);
        root.AddChild(&outsider);
        bone.AddChild(&skin);
        bone.world = TransMatrix(Point3(0, 0, 2));
        skin.reference = &derived;
        derived.base = &mesh;
        derived.modifiers.push_back(&physique);
        mesh.mesh.setNumVerts(3);
        mesh.mesh.setVert(0, Point3(1, 0, 0));
        mesh.mesh.setVert(1, Point3(0, 1, 0));
        mesh.mesh.setVert(2, Point3(0, 0, 1));
        physique.initial[&skin] = TransMatrix(Point3(10, 0, 0));
        physique.initial[&bone] = TransMatrix(Point3(0, 0, 2));
        physique.initial[&outsider] = Matrix3();
    }

    void Bind(std::initializer_list<const FakeSkinVertex*> vertices) {
        physique.context.vertices = vertices;
    }

    std::vector<int> AssertionLines() const {
        std::vector<int> lines;
        for (const auto& assertion : platform.assertions) {
            EXPECT_EQ(assertion.file, "bonetree");
            lines.push_back(assertion.line);
        }
        return lines;
    }

    FakePlatform platform;
    FakeBoneObject boneObject;
    FakeMeshObject mesh;
    FakeDerivedObject derived;
    FakePhysique physique;
    FakeNode root{"Scene Root"};
    FakeNode bone{"Hip", nullptr, &boneObject};
    FakeNode skin{"Body"};
    FakeNode outsider{"Lamp"};
    const FakeSkinVertex rigid{RIGID_TYPE, {&bone}, {}};
    const FakeSkinVertex blended{RIGID_BLENDED_TYPE, {&bone, &outsider}, {0.25f, 0.75f}};
    const FakeSkinVertex floating{FLOATING_TYPE, {&bone}, {1.0f}};
    const FakeSkinVertex deformable{DEFORMABLE_TYPE, {&bone}, {1.0f}};

  private:
    ScopedHostPlatform scope_;
};

class SkinPass : public testing::Test, public SkinScene {};

TEST_F(SkinPass, ReadsRigidAndBlendedVerticesAndReleasesEverything) {
    Bind({&rigid, nullptr, &blended});
    BoneTree tree(&root, nullptr);
    ASSERT_EQ(tree.FindSkinNode(), &skin);
    tree.AddPhysiqueWeights();
    const auto& weights = tree.bones[0].weights;
    ASSERT_EQ(weights.size(), 2u);
    // Vertex times the skin's initial transform (x + 10), less the bone's (z - 2).
    EXPECT_EQ(weights[0].vertex, 0);
    EXPECT_EQ(weights[0].offset, Point3(11, 0, -2));
    EXPECT_EQ(weights[0].weight, 1.0f);
    EXPECT_EQ(weights[1].vertex, 2);
    EXPECT_EQ(weights[1].offset, Point3(10, 0, -1));
    EXPECT_EQ(weights[1].weight, 0.25f);
    EXPECT_EQ(physique.context.convertedWith, TRUE);
    EXPECT_EQ(physique.context.released, physique.context.handedOut);
    EXPECT_EQ(physique.contextReleased, 1);
    EXPECT_EQ(physique.interfaceReleased, 1);
    EXPECT_TRUE(platform.assertions.empty());
    EXPECT_TRUE(platform.messages.empty());
}

// What the pass read and reported, for one variation of the scene.
struct SkinPassCase {
    const char* name;
    // Changes the scene and binds its vertices.
    std::function<void(SkinScene&)> prepare;
    std::vector<int> boneVertices;
    std::vector<int> assertionLines;
    // Vertex interfaces, context and export interface released.
    int vertexReleases, contextReleases, interfaceReleases;
};

TEST(SkinPassCases, ReportsSkipsAndReleasesAsTheSceneAnswers) {
    const SkinPassCase cases[] = {
        {"vertices beyond the mesh are skipped silently",
         [](SkinScene& s) {
             s.Bind({&s.rigid, &s.rigid, &s.rigid, &s.rigid, &s.blended});
         },
         {0, 1, 2},
         {},
         5,
         1,
         1},
        {"a missing skin transform is reported at line 488, the identity stands in",
         [](SkinScene& s) {
             s.physique.initial.erase(&s.skin);
             s.Bind({&s.rigid});
         },
         {0},
         {488},
         1,
         1,
         1},
        {"a missing bone transform is reported at 517 for rigid, 556 for blended vertices",
         [](SkinScene& s) {
             s.physique.initial.erase(&s.bone);
             s.Bind({&s.rigid, &s.blended, &s.rigid});
         },
         {0, 1, 2},
         {517, 556, 517},
         3,
         1,
         1},
        {"a vertex of another type is reported at line 578",
         [](SkinScene& s) {
             s.Bind({&s.floating, &s.rigid, &s.deformable});
         },
         {1},
         {578, 578},
         3,
         1,
         1},
        {"without the export interface nothing is read",
         [](SkinScene& s) {
             s.physique.offersInterface = false;
             s.Bind({&s.rigid});
         },
         {},
         {},
         0,
         0,
         0},
        {"without a context the interface is still released",
         [](SkinScene& s) {
             s.physique.hasContext = false;
             s.Bind({&s.rigid});
         },
         {},
         {},
         0,
         0,
         1},
        {"without geometry below the modifiers no weights are kept",
         [](SkinScene& s) {
             s.derived.base = &s.boneObject;
             s.Bind({&s.rigid});
         },
         {},
         {},
         1,
         1,
         1},
    };
    for (const SkinPassCase& c : cases) {
        SkinScene scene;
        c.prepare(scene);
        BoneTree tree(&scene.root, nullptr);
        tree.AddPhysiqueWeights();
        EXPECT_EQ(tree.bones[0].vertices, c.boneVertices) << c.name;
        EXPECT_EQ(scene.AssertionLines(), c.assertionLines) << c.name;
        EXPECT_EQ(scene.physique.context.released, c.vertexReleases) << c.name;
        EXPECT_EQ(scene.physique.contextReleased, c.contextReleases) << c.name;
        EXPECT_EQ(scene.physique.interfaceReleased, c.interfaceReleases) << c.name;
        EXPECT_TRUE(scene.platform.messages.empty()) << c.name;
        if (c.assertionLines == std::vector<int>{488}) {
            EXPECT_EQ(tree.bones[0].weights.at(0).offset, Point3(1, 0, -2));
        }
    }
}

TEST_F(SkinPass, EverySkinModifierOfTheStackIsRead) {
    FakePhysique second;
    second.initial = physique.initial;
    second.context.vertices = {&blended};
    derived.modifiers.push_back(&second);
    Bind({&rigid});
    BoneTree tree(&root, nullptr);
    tree.AddPhysiqueWeights();
    EXPECT_EQ(tree.bones[0].vertices, (std::vector<int>{0, 0}));
    EXPECT_EQ(tree.DominantBone(0), 0);
}

}  // namespace
