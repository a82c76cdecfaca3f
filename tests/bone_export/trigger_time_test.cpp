#include "bone_export/trigger_time.h"

#include <gtest/gtest.h>

#include <array>
#include <random>

#include "fake_visibility.h"

namespace {

using bone_test::FakeVisibilityNode;
using bone_test::FakeVisibilityTrack;

TimeValue ScanEveryTick(INode* node, TimeValue start, TimeValue end) {
    TimeValue t = start;
    while (t < end && !(node->GetVisibility(t, nullptr) > 0.0f)) {
        ++t;
    }
    return t;
}

TEST(TriggerTime, ConstantVisibilityGivesStartOrEnd) {
    FakeVisibilityNode shown(1.0f);
    FakeVisibilityNode hidden(0.0f);
    FakeVisibilityNode negative(-0.5f);
    EXPECT_EQ(FirstVisibleTick(&shown, 40, 16000), 40);
    EXPECT_EQ(FirstVisibleTick(&hidden, 40, 16000), 16000);
    EXPECT_EQ(FirstVisibleTick(&negative, -300, 16000), 16000);
    EXPECT_LE(hidden.reads, 2);
}

TEST(TriggerTime, EmptyRangeStopsAtItsStart) {
    FakeVisibilityNode hidden(0.0f);
    FakeVisibilityNode shown(1.0f);
    EXPECT_EQ(FirstVisibleTick(&hidden, 500, 500), 500);
    EXPECT_EQ(FirstVisibleTick(&hidden, 500, 100), 500);
    EXPECT_EQ(FirstVisibleTick(&shown, 500, 100), 500);
}

TEST(TriggerTime, StepTrackAppearingLateInAHugeRangeCostsAFewReads) {
    FakeVisibilityTrack track({{0, 0.0f}, {123456, 1.0f}}, true);
    FakeVisibilityNode node(&track);
    EXPECT_EQ(FirstVisibleTick(&node, 0, 10000000), 123456);
    EXPECT_LT(node.reads, 100);
}

TEST(TriggerTime, LinearTrackFindsTheFirstTickAboveZero) {
    // -1 at 0 rising to 1 at 200000: zero at 100000, first above it one tick later.
    FakeVisibilityTrack track({{0, -1.0f}, {200000, 1.0f}}, false);
    FakeVisibilityNode node(&track);
    EXPECT_EQ(FirstVisibleTick(&node, 0, 10000000), 100001);
    EXPECT_LT(node.reads, 100);
}

TEST(TriggerTime, TrackOfAnotherClassIsScannedTickByTick) {
    FakeVisibilityTrack track({{0, 0.0f}, {300, 0.0f}, {301, 1.0f}}, false);
    track.SetClass(bezierFloatClassID);
    FakeVisibilityNode node(&track);
    EXPECT_EQ(FirstVisibleTick(&node, 0, 1000), 301);
    EXPECT_EQ(node.reads, 302);
}

// Random linear and step tracks against a scan of every tick.
TEST(TriggerTime, AgreesWithATickByTickScanOnRandomTracks) {
    std::mt19937 random(20240611);
    std::uniform_int_distribution<int> keyCount(0, 6);
    std::uniform_int_distribution<int> keyTime(-60, 700);
    std::uniform_int_distribution<int> valueKind(0, 4);
    std::uniform_real_distribution<float> anyValue(-2.0f, 2.0f);
    std::uniform_int_distribution<int> rangeEdge(-80, 720);
    for (int trial = 0; trial < 3000; ++trial) {
        std::vector<bone_test::VisibilityKey> keys;
        const int n = keyCount(random);
        for (int i = 0; i < n; ++i) {
            const std::array<float, 5> values{-1.0f, 0.0f, 0.25f, 1.0f, anyValue(random)};
            keys.push_back({keyTime(random), values[static_cast<size_t>(valueKind(random))]});
        }
        std::sort(keys.begin(), keys.end(),
                  [](const auto& a, const auto& b) { return a.time < b.time; });
        keys.erase(std::unique(keys.begin(), keys.end(),
                               [](const auto& a, const auto& b) { return a.time == b.time; }),
                   keys.end());
        FakeVisibilityTrack track(keys, trial % 2 == 0);
        FakeVisibilityNode node(&track);
        const TimeValue start = rangeEdge(random);
        const TimeValue end = rangeEdge(random);
        ASSERT_EQ(FirstVisibleTick(&node, start, end), ScanEveryTick(&node, start, end))
            << "trial " << trial << " range " << start << ".." << end;
    }
}

}  // namespace
