// The skin pass on answers that a scene document cannot produce: missing initial transforms,
// vertex types left unconverted, bindings beyond the mesh, missing interfaces.
#include <gtest/gtest.h>

#include "bone_export/bone_tree.h"
#include "fake_skin.h"
#include "support/fake_platform.h"

namespace {

using namespace bone_test;

class SkinPass : public testing::Test {
  protected:
    SkinPass() : scope_(&platform) {
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

  private:
    ScopedHostPlatform scope_;
};

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

TEST_F(SkinPass, VerticesBeyondTheMeshAreSkippedSilently) {
    Bind({&rigid, &rigid, &rigid, &rigid, &blended});
    BoneTree tree(&root, nullptr);
    tree.AddPhysiqueWeights();
    EXPECT_EQ(tree.bones[0].vertices, (std::vector<int>{0, 1, 2}));
    EXPECT_EQ(physique.context.released, 5);
    EXPECT_TRUE(platform.assertions.empty());
}

TEST_F(SkinPass, MissingSkinTransformIsReportedAtLine488) {
    physique.initial.erase(&skin);
    Bind({&rigid});
    BoneTree tree(&root, nullptr);
    tree.AddPhysiqueWeights();
    EXPECT_EQ(AssertionLines(), std::vector<int>{488});
    // The identity stands in for the missing transform.
    ASSERT_EQ(tree.bones[0].weights.size(), 1u);
    EXPECT_EQ(tree.bones[0].weights[0].offset, Point3(1, 0, -2));
}

TEST_F(SkinPass, MissingBoneTransformIsReportedAtLine517ForRigidAnd556ForBlended) {
    physique.initial.erase(&bone);
    Bind({&rigid, &blended, &rigid});
    BoneTree tree(&root, nullptr);
    tree.AddPhysiqueWeights();
    EXPECT_EQ(AssertionLines(), (std::vector<int>{517, 556, 517}));
    EXPECT_EQ(tree.bones[0].vertices, (std::vector<int>{0, 1, 2}));
}

TEST_F(SkinPass, VertexOfAnotherTypeIsReportedAtLine578) {
    const FakeSkinVertex floating{FLOATING_TYPE, {&bone}, {1.0f}};
    const FakeSkinVertex deformable{DEFORMABLE_TYPE, {&bone}, {1.0f}};
    Bind({&floating, &rigid, &deformable});
    BoneTree tree(&root, nullptr);
    tree.AddPhysiqueWeights();
    EXPECT_EQ(AssertionLines(), (std::vector<int>{578, 578}));
    EXPECT_EQ(tree.bones[0].vertices, std::vector<int>{1});
    EXPECT_EQ(physique.context.released, 3);
}

TEST_F(SkinPass, WithoutTheExportInterfaceNothingIsRead) {
    physique.offersInterface = false;
    Bind({&rigid});
    BoneTree tree(&root, nullptr);
    tree.AddPhysiqueWeights();
    EXPECT_TRUE(tree.bones[0].weights.empty());
    EXPECT_EQ(physique.interfaceReleased, 0);
}

TEST_F(SkinPass, WithoutAContextTheInterfaceIsStillReleased) {
    physique.hasContext = false;
    Bind({&rigid});
    BoneTree tree(&root, nullptr);
    tree.AddPhysiqueWeights();
    EXPECT_TRUE(tree.bones[0].weights.empty());
    EXPECT_EQ(physique.contextReleased, 0);
    EXPECT_EQ(physique.interfaceReleased, 1);
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

TEST_F(SkinPass, SkinWithoutGeometryBelowItsModifiersGivesNoWeights) {
    FakeBoneObject notGeometry;
    derived.base = &notGeometry;
    Bind({&rigid});
    BoneTree tree(&root, nullptr);
    tree.AddPhysiqueWeights();
    EXPECT_TRUE(tree.bones[0].weights.empty());
    EXPECT_EQ(physique.context.released, 1);
}

}  // namespace
