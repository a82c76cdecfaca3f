#include <gtest/gtest.h>

#include "host/decomp.h"
#include "host/transform_helpers.h"
#include "math_test_util.h"
#include "support/fake_node.h"

namespace {

// The offset from the parent in world units, its sign turned by a mirroring parent; without a
// parent, the world position.
TEST(RelativePosition, WorldUnitsFromTheParentOrTheWorld) {
    const struct {
        const char* what;
        bool hasParent;
        Matrix3 parentWorld;
        Matrix3 childWorld;
        Point3 expected;
    } cases[] = {
        // In the parent's scaled axes the offset would be (5, 0, 0).
        {"uniformly scaled parent", true, ScaleMatrix(Point3(2, 2, 2)),
         TransMatrix(Point3(10, 0, 0)), Point3(10, 0, 0)},
        // The offset in the parent's axes is (3, 4, -5); the mirror sign turns all of it round.
        {"mirrored parent", true, ScaleMatrix(Point3(1, 1, -1)), TransMatrix(Point3(3, 4, 5)),
         Point3(-3, -4, 5)},
        {"no parent", false, Matrix3(), ScaleMatrix(Point3(3, 3, 3)) * TransMatrix(Point3(1, 2, 3)),
         Point3(1, 2, 3)},
    };
    for (const auto& c : cases) {
        FakeNode parent("parent");
        FakeNode child("child", &parent);
        parent.world = c.parentWorld;
        child.world = c.childWorld;
        EXPECT_TRUE(
            Near(GetRelativePosition(&child, c.hasParent ? &parent : nullptr, 0), c.expected))
            << c.what;
    }
}

TEST(RelativeAxes, MirroredParentNegatesAllAxisRowsButNotTheTranslation) {
    FakeNode parent("parent");
    FakeNode child("child", &parent);
    parent.world = ScaleMatrix(Point3(1, 1, -1));
    child.world = TransMatrix(Point3(3, 4, 5));
    const Matrix3 axes = GetRelativeAxes(&child, &parent, 0);
    EXPECT_TRUE(
        Near(axes, Matrix3(Point3(-1, 0, 0), Point3(0, -1, 0), Point3(0, 0, 1), Point3(3, 4, -5))));
}

TEST(RelativeAxes, ScaleIsRemovedRelativeToAParentAndKeptWithout) {
    FakeNode parent("parent");
    FakeNode child("child", &parent);
    parent.world = Turn(90, Point3(0, 0, 1)) * TransMatrix(Point3(1, 0, 0));
    child.world = ScaleMatrix(Point3(2, 3, 4)) * Turn(90, Point3(0, 0, 1)) *
                  Turn(90, Point3(0, 0, 1)) * TransMatrix(Point3(1, 5, 0));
    const Matrix3 axes = GetRelativeAxes(&child, &parent, 0);
    // Relative turn of 90 degrees about z, unit rows, translation in the parent's axes.
    EXPECT_TRUE(
        Near(axes, Matrix3(Point3(0, 1, 0), Point3(-1, 0, 0), Point3(0, 0, 1), Point3(5, 0, 0))));
    EXPECT_EQ(GetRelativeAxes(&child, nullptr, 0), child.world);
}

TEST(RelativeRotation, IsTheTurnFromParentToNode) {
    FakeNode parent("parent");
    FakeNode child("child", &parent);
    parent.world = Turn(90, Point3(0, 0, 1));
    child.world = Turn(150, Point3(0, 0, 1)) * TransMatrix(Point3(4, 4, 4));
    const float half = Radians(30);
    EXPECT_TRUE(
        Near(GetRelativeRotation(&child, &parent, 0), Quat(0, 0, -std::sin(half), std::cos(half))));
    // Without a parent: the world rotation, beyond 120 degrees with its negative w.
    const Quat world = GetRelativeRotation(&child, nullptr, 0);
    EXPECT_TRUE(Near(world, Quat(0, 0, std::sin(Radians(75)), -std::cos(Radians(75)))));
}

TEST(LinkParent, LastTargetLinkedAtOrBeforeTheTime) {
    FakeNode root("Scene Root");
    FakeNode a("A", &root);
    FakeNode b("B", &root);
    FakeNode node("node", &root);
    FakeLinkControl link;
    link.targets = {{&a, 0}, {&b, 800}};
    node.controller = &link;
    EXPECT_EQ(GetLinkParent(&node, 799), &a);
    EXPECT_EQ(GetLinkParent(&node, 800), &b);
    EXPECT_EQ(GetLinkParent(&node, 100000), &b);

    link.targets = {{&a, 100}, {&b, 800}};
    EXPECT_EQ(GetLinkParent(&node, 50), nullptr);
    EXPECT_EQ(GetLinkParent(&node, 100), &a);

    // A world target gives none while it is in force.
    link.targets = {{&a, 0}, {nullptr, 200}};
    EXPECT_EQ(GetLinkParent(&node, 300), nullptr);
    link.targets.clear();
    EXPECT_EQ(GetLinkParent(&node, 0), nullptr);
}

TEST(LinkParent, WithoutLinkConstraintIsTheSceneParent) {
    FakeNode root("Scene Root");
    FakeNode top("top", &root);
    FakeNode child("child", &top);
    EXPECT_EQ(GetLinkParent(&top, 0), &root);
    EXPECT_EQ(GetLinkParent(&child, 0), &top);
    FakePlainControl plain;
    child.controller = &plain;
    EXPECT_EQ(GetLinkParent(&child, 0), &top);
}

TEST(ObjectOffset, ScalesThenTurnsThenMoves) {
    FakeNode node("node");
    node.offsetPos = Point3(1, 2, 3);
    node.offsetRot = QFromAngAxis(Radians(90), Point3(0, 0, 1));
    node.offsetScale = ScaleValue(Point3(2, 2, 2));
    const Matrix3 with = GetObjectOffsetTM(&node, true);
    EXPECT_TRUE(Near(Point3(1, 0, 0) * with, Point3(1, 4, 3)));

    // Without the position only the translation row differs, and it is zero.
    const Matrix3 without = GetObjectOffsetTM(&node, false);
    for (int i = 0; i < 3; ++i) {
        EXPECT_EQ(without[i], with[i]);
    }
    EXPECT_EQ(without.GetTrans(), Point3(0, 0, 0));
    EXPECT_TRUE(Near(with.GetTrans(), Point3(1, 2, 3)));
}

TEST(ObjectOffset, DefaultOffsetIsTheIdentity) {
    FakeNode node("node");
    EXPECT_EQ(GetObjectOffsetTM(&node, true), Matrix3());
}

}  // namespace
