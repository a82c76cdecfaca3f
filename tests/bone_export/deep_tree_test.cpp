// Scenes deeper than any call stack: the tree walk keeps its own list of pending nodes.
#include <fmt/format.h>
#include <gtest/gtest.h>

#include <memory>

#include "bone_export/bone_tree.h"
#include "fake_skin.h"

namespace {

using bone_test::FakeBoneObject;

TEST(DeepScene, ChainOfTwoHundredThousandNodesIsWalkedInPreOrder) {
    // Every thousandth node of the chain is a bone, the others plain nodes without an object;
    // each bone hangs on the one a thousand levels above it.
    FakeBoneObject bone;
    std::vector<std::unique_ptr<FakeNode>> nodes;
    nodes.push_back(std::make_unique<FakeNode>("Scene Root"));
    for (int depth = 1; depth <= 200000; ++depth) {
        const bool isBone = depth % 1000 == 0;
        nodes.push_back(std::make_unique<FakeNode>(fmt::format("N{}", depth), nodes.back().get(),
                                                   isBone ? &bone : nullptr));
    }
    // A sibling bone after the chain comes last in pre-order, on no bone.
    auto sibling = std::make_unique<FakeNode>("Sibling", nodes[0].get(), &bone);

    BoneTree tree(nodes[0].get(), nullptr);
    ASSERT_EQ(tree.boneCount, 201);
    EXPECT_EQ(tree.bones[0].parent, -1);
    EXPECT_EQ(std::string(tree.bones[0].node->GetName()), "N1000");
    EXPECT_EQ(tree.bones[199].parent, 198);
    EXPECT_EQ(std::string(tree.bones[199].node->GetName()), "N200000");
    EXPECT_EQ(tree.bones[200].node, sibling.get());
    EXPECT_EQ(tree.bones[200].parent, -1);
}

}  // namespace
