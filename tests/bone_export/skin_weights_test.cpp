// Skin weights read from the skin modifier of live scenes, and the dominant bone of each vertex.
#include <gtest/gtest.h>

#include "bone_test_support.h"

namespace {

using bone_test::LiveTree;
using bone_test::SceneJson;

// Root at the origin with two mesh children: a plain one and the skin (at z = 1, so its initial
// transform moves every vertex up by 1). Spine's initial transform is given at z = 4 (it stands
// at z = 5 now); Arm mirrors x.
const char* const kSkinnedScene = R"(
  {"name": "Root", "object": {"type": "bone"},
   "children": [
     {"name": "Plain", "object": {"type": "mesh", "vertices": [[0, 0, 0], [1, 0, 0], [0, 1, 0]],
                                  "faces": [[0, 1, 2]]}},
     {"name": "Skin", "transform": {"position": [0, 0, 1]},
      "object": {"type": "mesh",
                 "vertices": [[0, 0, 0], [1, 0, 0], [0, 0, 5], [1, 0, 5], [2, 0, 5], [3, 0, 0]],
                 "faces": [[0, 1, 3], [0, 3, 2], [2, 3, 4]]},
      "modifiers": [
        {"type": "physique",
         "boneInitialTransforms": {"Spine": {"position": [0, 0, 4]}},
         "vertices": [
           {"bones": ["Root"], "weights": [1]},
           {"bones": ["Root", "Spine"], "weights": [0.5, 0.5]},
           null,
           {"bones": ["Spine", "Arm"], "weights": [0.25, 0.75]},
           {"bones": ["Arm", "Helper"], "weights": [1, 0.5]},
           {"bones": ["Spine"], "weights": [0.3], "type": 2}
         ]}]},
     {"name": "Spine", "object": {"type": "bone"}, "transform": {"position": [0, 0, 5]},
      "children": [
        {"name": "Arm", "object": {"type": "bone"},
         "transform": {"position": [1, 0, 0], "scale": [-1, 1, 1]}}]},
     {"name": "Helper", "object": {"type": "dummy"}}
   ]}
)";

void ExpectWeight(const VertexWeight_t& record, int vertex, Point3 offset, float weight) {
    EXPECT_EQ(record.vertex, vertex);
    EXPECT_NEAR(record.offset.x, offset.x, 1e-5f) << "vertex " << vertex;
    EXPECT_NEAR(record.offset.y, offset.y, 1e-5f) << "vertex " << vertex;
    EXPECT_NEAR(record.offset.z, offset.z, 1e-5f) << "vertex " << vertex;
    EXPECT_FLOAT_EQ(record.weight, weight);
}

TEST(SkinWeights, FindSkinNodeTakesTheFirstChildWithAModifierStack) {
    LiveTree live(SceneJson(kSkinnedScene));
    EXPECT_EQ(live.Tree().FindSkinNode(), live.host.FindNodeByName("Skin"));
}

TEST(SkinWeights, SkinMustBeADirectChildOfTheRootBone) {
    LiveTree live(SceneJson(R"(
      {"name": "Root", "object": {"type": "bone"},
       "children": [{"name": "Holder", "object": {"type": "dummy"},
                     "children": [{"name": "Skin",
                                   "object": {"type": "mesh", "vertices": [[0, 0, 0]]},
                                   "modifiers": [{"type": "inert", "name": "Edit"}]}]}]})"));
    EXPECT_EQ(live.Tree().FindSkinNode(), nullptr);
    live.Tree().AddPhysiqueWeights();
    EXPECT_TRUE(live.Tree().bones[0].weights.empty());
}

TEST(SkinWeights, WeightsHoldOffsetsFromEachBonesInitialFrame) {
    LiveTree live(SceneJson(kSkinnedScene));
    BoneTree& tree = live.Tree();
    ASSERT_EQ(live.BoneNames(), (std::vector<std::string>{"Root", "Spine", "Arm"}));
    tree.AddPhysiqueWeights();

    const auto& root = tree.bones[0].weights;
    ASSERT_EQ(root.size(), 2u);
    ExpectWeight(root[0], 0, Point3(0, 0, 1), 1.0f);
    ExpectWeight(root[1], 1, Point3(1, 0, 1), 0.5f);

    // From the initial frame at z = 4, not from where Spine stands now. The deformable vertex 5
    // is read as rigid: weight 1.
    const auto& spine = tree.bones[1].weights;
    ASSERT_EQ(spine.size(), 3u);
    ExpectWeight(spine[0], 1, Point3(1, 0, -3), 0.5f);
    ExpectWeight(spine[1], 3, Point3(1, 0, 2), 0.25f);
    ExpectWeight(spine[2], 5, Point3(3, 0, -3), 1.0f);

    // Arm mirrors x and has sign -1: the offset in its frame, negated. The binding to Helper, not
    // a bone, is left out.
    const auto& arm = tree.bones[2].weights;
    ASSERT_EQ(arm.size(), 2u);
    ExpectWeight(arm[0], 3, Point3(0, 0, -1), 0.75f);
    ExpectWeight(arm[1], 4, Point3(1, 0, -1), 1.0f);

    EXPECT_EQ(tree.bones[1].vertices, (std::vector<int>{1, 3, 5}));
    EXPECT_TRUE(live.Messages().empty());
}

TEST(SkinWeights, DominantBoneOfEachSkinVertex) {
    LiveTree live(SceneJson(kSkinnedScene));
    live.Tree().AddPhysiqueWeights();
    std::vector<int> dominant;
    for (int v = 0; v < 7; ++v) {
        dominant.push_back(live.Tree().DominantBone(v));
    }
    // Vertex 1: equal weights on Root and Spine, Root first; vertex 2 has no binding.
    EXPECT_EQ(dominant, (std::vector<int>{0, 0, -1, 2, 2, 1, -1}));
}

}  // namespace
