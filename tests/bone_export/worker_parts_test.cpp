// Parts of the bone worker and tree that need no scene: the dominant bone index on weights no
// skin modifier gives, and the spline controls of rotation entries.
#include <gtest/gtest.h>

#include <cmath>

#include "bone_export/enum_bone.h"

namespace {

BoneTree TreeWithWeights(const std::vector<std::vector<VertexWeight_t>>& weightsPerBone) {
    BoneTree tree(nullptr, nullptr);
    for (const auto& weights : weightsPerBone) {
        Bone_t bone;
        bone.weights = weights;
        for (const VertexWeight_t& w : weights) {
            bone.vertices.push_back(w.vertex);
        }
        tree.bones.push_back(bone);
        ++tree.boneCount;
    }
    return tree;
}

TEST(DominantBone, WeightsOfMinusFloatMaxOrNaNNeverWin) {
    const BoneTree tree = TreeWithWeights({
        {{0, {}, -3.40282347e+38f}, {1, {}, std::nanf("")}},
        {{1, {}, -1.0f}},
    });
    EXPECT_EQ(tree.DominantBone(0), -1);
    EXPECT_EQ(tree.DominantBone(1), 1);
}

Quat TurnAboutZ(float degrees) {
    return QFromAngAxis(degrees * 3.14159265f / 180.0f, Point3(0.0f, 0.0f, 1.0f));
}

void ExpectNear(const Quat& a, const Quat& b) {
    EXPECT_NEAR(a.x, b.x, 1e-6f);
    EXPECT_NEAR(a.y, b.y, 1e-6f);
    EXPECT_NEAR(a.z, b.z, 1e-6f);
    EXPECT_NEAR(a.w, b.w, 1e-6f);
}

TEST(RotationControls, LoneEntryHasItsOwnRotationAsBothControls) {
    EnumBone_t worker(nullptr, nullptr, "graps.vph", nullptr);
    worker.rangeLength = 16001;
    const std::vector<Quat> rotations{Quat(-0.0f, 0.6f, 0.0f, 0.8f)};
    const std::vector<TimeValue> times{0};
    for (bool cyclic : {false, true}) {
        worker.cyclic = cyclic;
        Quat a, b;
        worker.ComputeTCBControls(a, b, rotations, times, 0, 1);
        EXPECT_EQ(a, rotations[0]);
        EXPECT_EQ(b, rotations[0]);
        EXPECT_TRUE(std::signbit(a.x));
    }
}

TEST(RotationControls, NeighbourOnTheFarHemisphereCountsAsTheNearOne) {
    EnumBone_t worker(nullptr, nullptr, "graps.vph", nullptr);
    worker.rangeLength = 16001;
    const std::vector<TimeValue> times{0, 100, 300};
    const std::vector<Quat> near{TurnAboutZ(0), TurnAboutZ(40), TurnAboutZ(100)};
    const std::vector<Quat> far{-TurnAboutZ(0), TurnAboutZ(40), -TurnAboutZ(100)};
    for (bool cyclic : {false, true}) {
        worker.cyclic = cyclic;
        for (int e = 0; e < 3; ++e) {
            Quat a1, b1, a2, b2;
            worker.ComputeTCBControls(a1, b1, near, times, e, 3);
            worker.ComputeTCBControls(a2, b2, far, times, e, 3);
            // The controls follow the entry's own sign.
            const float sign = e == 1 ? 1.0f : -1.0f;
            ExpectNear(a2, Quat(a1.x * sign, a1.y * sign, a1.z * sign, a1.w * sign));
            ExpectNear(b2, Quat(b1.x * sign, b1.y * sign, b1.z * sign, b1.w * sign));
        }
    }
}

TEST(RotationControls, UniformTurnAtEvenIntervalsPassesThroughItsKeys) {
    // With the default spline settings a steady turn needs no bending: both controls of every
    // entry are the entry itself.
    EnumBone_t worker(nullptr, nullptr, "graps.vph", nullptr);
    worker.rangeLength = 300;
    const std::vector<TimeValue> times{0, 100, 200};
    const std::vector<Quat> rotations{TurnAboutZ(0), TurnAboutZ(30), TurnAboutZ(60)};
    for (bool cyclic : {false, true}) {
        worker.cyclic = cyclic;
        for (int e = 0; e < 3; ++e) {
            Quat a, b;
            worker.ComputeTCBControls(a, b, rotations, times, e, 3);
            if (cyclic && e != 1) {
                continue;  // across the loop the turn is not steady (60 degrees back to 0)
            }
            ExpectNear(a, rotations[static_cast<size_t>(e)]);
            ExpectNear(b, rotations[static_cast<size_t>(e)]);
        }
    }
}

// Entries at 0, 30 and 90 degrees about z at ticks 0, 100 and 200. Across the loop the first
// entry's previous neighbour is the last one: half-angle logarithms of -45 degrees (back from 90)
// and +15 degrees (on to 30). With the default settings both controls are the entry turned by
// (fn * lnP - (2 - fn) * lnN) / 4 (in half angles), fn = 2 dN / (dP + dN).
TEST(RotationControls, FirstEntryOfALoopWrapsTheIntervalAcrossTheRange) {
    EnumBone_t worker(nullptr, nullptr, "graps.vph", nullptr);
    const std::vector<TimeValue> times{0, 100, 200};
    const std::vector<Quat> rotations{TurnAboutZ(0), TurnAboutZ(30), TurnAboutZ(90)};
    worker.cyclic = false;
    worker.rangeLength = 300;
    Quat a, b;
    worker.ComputeTCBControls(a, b, rotations, times, 0, 3);
    ExpectNear(a, rotations[0]);
    ExpectNear(b, rotations[0]);

    worker.cyclic = true;
    // dP = 300 + 0 - 200 = 100, dN = 100: (-45 - 15) / 4 = -15 degrees.
    worker.ComputeTCBControls(a, b, rotations, times, 0, 3);
    const float radians = 3.14159265f / 180.0f;
    EXPECT_NEAR(std::fabs(a.z), std::sin(15.0f * radians), 1e-6f);
    EXPECT_NEAR(a.w, std::cos(15.0f * radians), 1e-6f);
    ExpectNear(a, b);
    // The control turns back towards the last entry, against the turn towards the next one.
    EXPECT_LT(a.z * rotations[1].z, 0.0f);

    // dP = 400 - 200 = 200, dN = 100, fn = 2/3: (-45 * 2/3 - 15 * 4/3) / 4 = -12.5 degrees.
    worker.rangeLength = 400;
    worker.ComputeTCBControls(a, b, rotations, times, 0, 3);
    EXPECT_NEAR(std::fabs(a.z), std::sin(12.5f * radians), 1e-6f);
    ExpectNear(a, b);
}

}  // namespace
