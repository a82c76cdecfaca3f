// The bone tree of live scenes: numbering, parents, mirror signs, triggers, skin lookup.
#include <fmt/format.h>
#include <gtest/gtest.h>

#include "bone_test_support.h"

namespace {

using bone_test::LiveTree;
using bone_test::SceneJson;

const char* const kTriangle =
    R"({"type": "mesh", "vertices": [[0, 0, 0], [1, 0, 0], [0, 1, 0]], "faces": [[0, 1, 2]]})";

std::string Node(const std::string& name, const std::string& object, const std::string& more = "") {
    std::string json = R"({"name": ")" + name + "\"";
    if (!object.empty()) {
        json += R"(, "object": )" + object;
    }
    if (!more.empty()) {
        json += ", " + more;
    }
    return json + "}";
}

std::string Bone(const std::string& name, const std::string& more = "") {
    return Node(name, R"({"type": "bone"})", more);
}

std::string Children(std::initializer_list<std::string> children) {
    std::string json = R"("children": [)";
    bool first = true;
    for (const std::string& child : children) {
        json += (first ? "" : ", ") + child;
        first = false;
    }
    return json + "]";
}

std::vector<int> Parents(BoneTree& tree) {
    return bone_test::EachOf(tree.bones, tree.boneCount, &Bone_t::parent);
}

TEST(BoneTreeWalk, NumbersBonesInPreOrderThroughDummiesAndGeometry) {
    LiveTree live(SceneJson(Bone("A", Children({Node("D", R"({"type": "dummy"})",
                                                     Children({Bone("B", Children({Bone("E")}))})),
                                                Node("G", kTriangle, Children({Bone("C")}))})) +
                            ", " + Bone("F")));
    EXPECT_EQ(live.BoneNames(), (std::vector<std::string>{"A", "B", "E", "C", "F"}));
    EXPECT_EQ(Parents(live.Tree()), (std::vector<int>{-1, 0, 1, 0, -1}));
    EXPECT_EQ(live.Tree().triggerCount, 0);
    EXPECT_EQ(live.Tree().RootBoneNode(), live.host.FindNodeByName("A"));
    EXPECT_TRUE(live.Messages().empty());
}

TEST(BoneTreeWalk, SceneWithoutBonesGivesAnEmptyTree) {
    LiveTree live(
        SceneJson(Node("Ship", kTriangle) + ", " + Node("Helper", R"({"type": "dummy"})")));
    EXPECT_EQ(live.Tree().boneCount, 0);
    EXPECT_EQ(live.Tree().RootBoneNode(), nullptr);
    EXPECT_EQ(live.Tree().FindSkinNode(), nullptr);
    live.Tree().AddPhysiqueWeights();
    EXPECT_EQ(live.Tree().DominantBone(0), -1);
}

TEST(BoneTreeWalk, MirrorSignsMultiplyDownTheBones) {
    // M mirrors its own frame; K inherits it; L mirrors again; a mirroring dummy between two
    // bones counts in the lower bone's frame.
    LiveTree live(SceneJson(Bone(
        "A",
        Children(
            {Bone("M", R"("transform": {"scale": [-1, 1, 1]}, )" +
                           Children({Bone(
                               "K", R"("transform": {"position": [1, 0, 0]}, )" +
                                        Children({Bone(
                                            "L", R"("transform": {"scale": [1, 1, -1]})")}))})),
             Node("D", R"({"type": "dummy"})",
                  R"("transform": {"scale": [1, -2, 1]}, )" + Children({Bone("N")})),
             Bone("P")}))));
    ASSERT_EQ(live.BoneNames(), (std::vector<std::string>{"A", "M", "K", "L", "N", "P"}));
    const BoneTree& tree = live.Tree();
    EXPECT_EQ(bone_test::EachOf(tree.bones, tree.boneCount, &Bone_t::ownSign),
              (std::vector<int>{1, -1, 1, -1, -1, 1}));
    EXPECT_EQ(bone_test::EachOf(tree.bones, tree.boneCount, &Bone_t::sign),
              (std::vector<int>{1, -1, -1, 1, -1, 1}));
}

TEST(BoneTreeWalk, IndexOfNodeFindsBonesOnly) {
    LiveTree live(SceneJson(Bone("A", Children({Node("D", R"({"type": "dummy"})"), Bone("B")}))));
    BoneTree& tree = live.Tree();
    EXPECT_EQ(tree.IndexOfNode(live.host.FindNodeByName("A")), 0);
    EXPECT_EQ(tree.IndexOfNode(live.host.FindNodeByName("B")), 1);
    EXPECT_EQ(tree.IndexOfNode(live.host.FindNodeByName("D")), -1);
    EXPECT_EQ(tree.IndexOfNode(live.host.GetRootNode()), -1);
    EXPECT_EQ(tree.IndexOfNode(nullptr), -1);
}

TEST(BoneTreeWalk, MoreThan256BonesKeepsTheFirstAndWarns) {
    // Top, 254 bones, Last: 256 bones. Last's child, the bone after it and 46 more are left out;
    // a trigger under a dropped bone hangs on Top.
    std::string children;
    for (int i = 0; i < 254; ++i) {
        children += Bone(fmt::format("B{}", i)) + ", ";
    }
    children += Bone("Last", Children({Bone("Kid")})) + ", ";
    children += Bone("Dropped", Children({Node("TRIGGER0001", R"({"type": "sphere"})")}));
    for (int i = 254; i < 300; ++i) {
        children += ", " + Bone(fmt::format("B{}", i));
    }
    LiveTree live(SceneJson(Bone("Top", R"("children": [)" + children + "]")));
    BoneTree& tree = live.Tree();
    EXPECT_EQ(tree.boneCount, 256);
    EXPECT_EQ(tree.bones.size(), 256u);
    EXPECT_EQ(live.BoneNames().back(), "Last");
    EXPECT_EQ(tree.IndexOfNode(live.host.FindNodeByName("Kid")), -1);
    EXPECT_EQ(tree.IndexOfNode(live.host.FindNodeByName("Dropped")), -1);
    ASSERT_EQ(tree.triggerCount, 1);
    EXPECT_EQ(tree.triggers[0].parent, 0);
    EXPECT_EQ(live.Messages(),
              std::vector<std::string>{
                  "Warning: The scene has 304 bones; only the first 256 are exported."});
}

}  // namespace
