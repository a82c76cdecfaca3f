// Node transforms of the scene model: the parent chain, the object offset, the link constraint,
// setting a node's transform, and deep or cyclic structures.
#include <gtest/gtest.h>

#include "host/transform_helpers.h"
#include "standalone/support/model_support.h"
#include "standalone/support/scene_invariants.h"

namespace pellucid::standalone::testing {
namespace {

TEST(ModelTransforms, WorldIsLocalTimesParentWorld) {
    doc::Document document;
    const int a = AddNode(document, "A");
    const int b = AddNode(document, "B", a);
    const int c = AddNode(document, "C", b);
    const Matrix3 la = TurnMatrix(30, {0, 0, 1}) * TransMatrix({5, 0, 0});
    const Matrix3 lb = ScaleMatrix({2, 2, 2}) * TransMatrix({0, 3, 0});
    const Matrix3 lc = TurnMatrix(-45, {1, 0, 0}) * TransMatrix({1, 1, 1});
    document.nodes[static_cast<size_t>(a)].transform = Matrix(la);
    document.nodes[static_cast<size_t>(b)].transform = Matrix(lb);
    document.nodes[static_cast<size_t>(c)].transform = Matrix(lc);
    auto host = MakeHost(std::move(document));
    INode* nodeC = host->FindNodeByName("C");
    EXPECT_TRUE(nodeC->GetNodeTM(0) == lc * (lb * la));
    EXPECT_TRUE(nodeC->GetParentTM(0) == lb * la);
    ExpectSceneInvariants(host.get(), host->GetExpInterface()->theScene);
}

TEST(ModelTransforms, ObjectOffsetIsScaleThenRotationThenTranslation) {
    doc::Document document;
    const int n = AddNode(document, "Pivoted");
    document.nodes[static_cast<size_t>(n)].transform = Translation(100, 0, 0);
    doc::Pivot pivot;
    pivot.position = {0, 0, 10};
    pivot.rotation = Turn(90, {0, 0, 1});
    pivot.scale = {3, 1, 1};
    document.nodes[static_cast<size_t>(n)].pivot = pivot;
    auto host = MakeHost(std::move(document));
    INode* node = host->FindNodeByName("Pivoted");
    // (1,0,0): scaled to (3,0,0), turned to (0,3,0), moved to (0,3,10), then by the node.
    EXPECT_TRUE(PointsNear(Point3(1, 0, 0) * node->GetObjectTM(0), {100, 3, 10}));
    EXPECT_TRUE(node->GetObjOffsetPos() == Point3(0, 0, 10));
    EXPECT_TRUE(node->GetObjOffsetScale().s == Point3(3, 1, 1));
    EXPECT_TRUE(node->GetObjTMAfterWSM(0) == node->GetObjectTM(0));
    // The pivot does not move the node itself.
    EXPECT_TRUE(node->GetNodeTM(0) == TransMatrix({100, 0, 0}));
}

// A node linked to A from time 0 and to B from time 100, with A and B far apart and moving.
doc::Document LinkedScene(int worldTargetIndex = -2) {
    doc::Document document;
    const int a = AddNode(document, "A");
    const int b = AddNode(document, "B");
    const int linked = AddNode(document, "Linked");
    document.nodes[static_cast<size_t>(a)].position = LinearMove(0, {0, 0, 0}, 1000, {100, 0, 0});
    document.nodes[static_cast<size_t>(b)].transform =
        Matrix(TurnMatrix(90, {0, 0, 1}) * TransMatrix({0, 50, 0}));
    document.nodes[static_cast<size_t>(linked)].transform = Translation(1, 2, 3);
    document.nodes[static_cast<size_t>(linked)].link = {{a, 0}, {b, 100}};
    if (worldTargetIndex != -2) {
        document.nodes[static_cast<size_t>(linked)].link.push_back({-1, 500});
    }
    return document;
}

TEST(ModelTransforms, LinkedNodeFollowsTheTargetInForce) {
    auto host = MakeHost(LinkedScene());
    INode* a = host->FindNodeByName("A");
    INode* b = host->FindNodeByName("B");
    INode* linked = host->FindNodeByName("Linked");
    EXPECT_TRUE(PointsNear(linked->GetNodeTM(50).GetTrans(), {6, 2, 3}));
    EXPECT_EQ(GetLinkParent(linked, 99), a);
    EXPECT_EQ(GetLinkParent(linked, 100), b);
    Control* tm = linked->GetTMController();
    EXPECT_TRUE(tm->ClassID() == linkControlClassID);
    auto* link = static_cast<ILinkCtrl*>(tm->GetInterface(LINK_CONSTRAINT_INTERFACE));
    ASSERT_NE(link, nullptr);
    EXPECT_EQ(link->GetNumTargets(), 2);
    EXPECT_EQ(link->GetLinkTime(1), 100);
    EXPECT_EQ(link->GetNode(1), b);
}

TEST(ModelTransforms, LinkedNodeKeepsItsPlaceWhenTheLinkSwitches) {
    auto host = MakeHost(LinkedScene());
    INode* linked = host->FindNodeByName("Linked");
    INode* a = host->FindNodeByName("A");
    INode* b = host->FindNodeByName("B");
    // At the switch the node stands where A's link put it, now held relative to B.
    const Matrix3 before = Matrix3(TransMatrix({1, 2, 3})) * a->GetNodeTM(100);
    EXPECT_TRUE(MatricesNear(linked->GetNodeTM(100), before));
    // After the switch it moves with B (which stands still), not with A.
    EXPECT_TRUE(MatricesNear(linked->GetNodeTM(900), linked->GetNodeTM(100)));
    EXPECT_TRUE(MatricesNear(linked->GetNodeTM(100) * Inverse(b->GetNodeTM(100)),
                             linked->GetNodeTM(900) * Inverse(b->GetNodeTM(900))));
    // Before the first link time the first target holds.
    EXPECT_TRUE(MatricesNear(linked->GetNodeTM(-50), TransMatrix({1, 2, 3}) * a->GetNodeTM(-50)));
}

TEST(ModelTransforms, LinkToTheWorldHoldsTheNodeInPlace) {
    auto host = MakeHost(LinkedScene(-1));
    INode* linked = host->FindNodeByName("Linked");
    EXPECT_EQ(GetLinkParent(linked, 600), nullptr);
    EXPECT_TRUE(MatricesNear(linked->GetNodeTM(500), linked->GetNodeTM(499)));
    EXPECT_TRUE(MatricesNear(linked->GetNodeTM(800), linked->GetNodeTM(500)));
}

TEST(ModelTransforms, SetNodeTMPlacesTheNodeAndItsChildrenFollow) {
    doc::Document document;
    const int parent = AddNode(document, "Parent");
    const int node = AddNode(document, "Node", parent);
    AddNode(document, "Child", node);
    document.nodes[static_cast<size_t>(parent)].transform = Matrix(ScaleMatrix({2, 2, 2}));
    auto host = MakeHost(std::move(document));
    INode* n = host->FindNodeByName("Node");
    INode* child = host->FindNodeByName("Child");
    EXPECT_TRUE(child->GetNodeTM(0) == ScaleMatrix({2, 2, 2}));  // cached before the change
    Matrix3 wanted = TurnMatrix(90, {0, 1, 0}) * TransMatrix({4, 5, 6});
    n->SetNodeTM(0, wanted);
    EXPECT_TRUE(MatricesNear(n->GetNodeTM(0), wanted));
    EXPECT_TRUE(MatricesNear(child->GetNodeTM(0), wanted));
    EXPECT_TRUE(MatricesNear(host->Capture().nodes[1].transform.matrix,
                             wanted * Inverse(ScaleMatrix({2, 2, 2}))));
}

TEST(ModelTransforms, SetNodeTMOnAnAnimatedNodeOffsetsItsKeys) {
    doc::Document document;
    const int node = AddNode(document, "Animated");
    document.nodes[static_cast<size_t>(node)].position = LinearMove(0, {0, 0, 0}, 100, {10, 0, 0});
    doc::Controller<doc::RotationKey> rotation;
    rotation.keys = {{0, Quat()}, {100, Turn(90, {0, 0, 1})}};
    document.nodes[static_cast<size_t>(node)].rotation = rotation;
    auto host = MakeHost(std::move(document));
    INode* n = host->FindNodeByName("Animated");
    Matrix3 wanted = TurnMatrix(10, {0, 0, 1}) * TransMatrix({0, 0, 5});
    n->SetNodeTM(0, wanted);
    EXPECT_TRUE(MatricesNear(n->GetNodeTM(0), wanted));
    // The whole track moved: the motion from 0 to 100 is kept.
    EXPECT_TRUE(PointsNear(n->GetNodeTM(100).GetTrans(), {10, 0, 5}));
    EXPECT_TRUE(PointsNear(Point3(1, 0, 0) * n->GetNodeTM(100) - n->GetNodeTM(100).GetTrans(),
                           Point3(1, 0, 0) * TurnMatrix(100, {0, 0, 1})));
}

TEST(ModelTransforms, DeepTreesAreWalkedWithoutRecursion) {
    doc::Document document;
    int parent = -1;
    constexpr int kDepth = 50000;
    for (int i = 0; i < kDepth; ++i) {
        parent = AddNode(document, Numbered("N", i), parent);
        document.nodes[static_cast<size_t>(parent)].transform = Translation(1, 0, 0);
    }
    auto host = MakeHost(std::move(document));
    INode* deepest = host->FindNodeByName(Numbered("N", kDepth - 1));
    ASSERT_NE(deepest, nullptr);
    EXPECT_EQ(deepest->GetNodeTM(0).GetTrans().x, static_cast<float>(kDepth));
    struct Count : ITreeEnumProc {
        int callback(INode*) override {
            ++visited;
            return TREE_CONTINUE;
        }
        int visited = 0;
    } count;
    host->GetExpInterface()->theScene->EnumTree(&count);
    EXPECT_EQ(count.visited, kDepth);
}

TEST(ModelTransforms, LinkCyclesEndWithTheClosingTargetAsTheWorld) {
    doc::Document document;
    const int a = AddNode(document, "A");
    const int b = AddNode(document, "B");
    document.nodes[static_cast<size_t>(a)].transform = Translation(1, 0, 0);
    document.nodes[static_cast<size_t>(b)].transform = Translation(0, 1, 0);
    document.nodes[static_cast<size_t>(a)].link = {{b, 0}};
    document.nodes[static_cast<size_t>(b)].link = {{a, 0}};
    auto host = MakeHost(std::move(document));
    // A needs B, which needs A again: that last A counts as the world.
    EXPECT_TRUE(PointsNear(host->FindNodeByName("A")->GetNodeTM(0).GetTrans(), {1, 1, 0}));
}

}  // namespace
}  // namespace pellucid::standalone::testing
