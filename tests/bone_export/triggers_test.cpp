// Trigger spheres of live scenes: which nodes count, their numbers, times and positions.
#include <gtest/gtest.h>

#include "bone_test_support.h"

namespace {

using bone_test::LiveTree;
using bone_test::SceneJson;

std::vector<int> TriggerIds(BoneTree& tree) {
    return bone_test::EachOf(tree.triggers, tree.triggerCount, &Trigger_t::id);
}

std::vector<int> TriggerTimes(BoneTree& tree) {
    return bone_test::EachOf(tree.triggers, tree.triggerCount, &Trigger_t::time);
}

TEST(TriggerSpheres, OnlySpheresNamedTriggerAreRecorded) {
    LiveTree live(SceneJson(R"(
        {"name": "magic01", "object": {"type": "sphere"}},
        {"name": "MAGIC_TRIGGER", "object": {"type": "sphere"}},
        {"name": "trigger0003", "object": {"type": "sphere"}},
        {"name": "TRIGGER0003", "object": {"type": "box", "length": 1, "width": 1, "height": 1}},
        {"name": "TRIGGER0005", "object": {"type": "mesh", "vertices": [[0, 0, 0], [1, 0, 0],
                                 [0, 1, 0]], "faces": [[0, 1, 2]]}},
        {"name": "TRIGGER0009", "object": {"type": "dummy"}},
        {"name": "TriggerA", "object": {"type": "sphere"}},
        {"name": "TRIGGER0012x", "object": {"type": "sphere"}},
        {"name": "TRIGGER", "object": {"type": "sphere"}},
        {"name": "TRIGGE", "object": {"type": "sphere"}})"));
    EXPECT_EQ(TriggerIds(live.Tree()), (std::vector<int>{3, 0, 12, 0}));
}

TEST(TriggerSpheres, TimeIsTheFirstVisibleTickOfTheRange) {
    LiveTree live(SceneJson(R"(
        {"name": "TRIGGER0001", "object": {"type": "sphere"}},
        {"name": "TRIGGER0002", "object": {"type": "sphere"}, "visibility": 0},
        {"name": "TRIGGER0003", "object": {"type": "sphere"},
         "visibility": {"interpolation": "step", "keys": [{"time": 0, "value": 0},
                                                          {"time": 4000, "value": 1}]}},
        {"name": "TRIGGER0004", "object": {"type": "sphere"},
         "visibility": {"interpolation": "linear", "keys": [{"time": 0, "value": -1},
                                                            {"time": 1000, "value": 1}]}},
        {"name": "TRIGGER0005", "object": {"type": "sphere"},
         "visibility": {"interpolation": "linear", "keys": [{"time": 0, "value": 1},
                                                            {"time": 50, "value": 0}]}})",
                            R"("animationRange": [100, 16000])"));
    // Visible from the start; never visible; shown at its key; rising through zero at 500; gone
    // before the range starts.
    EXPECT_EQ(TriggerTimes(live.Tree()), (std::vector<int>{100, 16000, 4000, 501, 16000}));
}

TEST(TriggerSpheres, AppearingAtTick123456OfATenMillionTickRange) {
    LiveTree live(SceneJson(R"(
        {"name": "TRIGGER0001", "object": {"type": "sphere"},
         "visibility": {"interpolation": "step", "keys": [{"time": 0, "value": 0},
                                                          {"time": 123456, "value": 1}]}},
        {"name": "TRIGGER0002", "object": {"type": "sphere"},
         "visibility": {"interpolation": "linear", "keys": [{"time": 0, "value": 0},
                                                            {"time": 9000000, "value": 0}]}})",
                            R"("animationRange": [0, 10000000])"));
    EXPECT_EQ(TriggerTimes(live.Tree()), (std::vector<int>{123456, 10000000}));
}

TEST(TriggerSpheres, TriggerOutsideBonesHasNoParentAndNoPosition) {
    LiveTree live(SceneJson(R"(
        {"name": "Hip", "object": {"type": "bone"}, "transform": {"position": [3, 0, 0]}},
        {"name": "TRIGGER0007", "object": {"type": "sphere"},
         "transform": {"position": [5, 6, 7]}})"));
    ASSERT_EQ(live.Tree().triggerCount, 1);
    const Trigger_t& trigger = live.Tree().triggers[0];
    EXPECT_EQ(trigger.parent, -1);
    EXPECT_EQ(trigger.position, Point3(0, 0, 0));
}

TEST(TriggerSpheres, PositionIsMeasuredFromTheParentBoneAtTheTriggerTime) {
    // The bone moves and turns; the trigger hangs on it through a dummy and rises by 0.1 per tick;
    // it shows at tick 100, 10 above the dummy.
    LiveTree live(SceneJson(R"(
        {"name": "Hip", "object": {"type": "bone"},
         "transform": {"rotation": {"axisAngle": [0, 0, 1, 90]}},
         "position": {"controller": "linear", "keys": [{"time": 0, "value": [10, 0, 0]},
                                                        {"time": 200, "value": [30, 0, 0]}]},
         "children": [
           {"name": "Holder", "object": {"type": "dummy"}, "transform": {"position": [1, 0, 0]},
            "children": [
              {"name": "TRIGGER0002", "object": {"type": "sphere"},
               "position": {"controller": "linear",
                            "keys": [{"time": 0, "value": [0, 0, 0]},
                                     {"time": 200, "value": [0, 0, 20]}]},
               "visibility": {"interpolation": "step", "keys": [{"time": 0, "value": 0},
                                                                {"time": 100, "value": 1}]}}]}]})"));
    ASSERT_EQ(live.Tree().triggerCount, 1);
    const Trigger_t& trigger = live.Tree().triggers[0];
    EXPECT_EQ(trigger.id, 2);
    EXPECT_EQ(trigger.time, 100);
    EXPECT_EQ(trigger.parent, 0);
    EXPECT_NEAR(trigger.position.x, 1.0f, 1e-5f);
    EXPECT_NEAR(trigger.position.y, 0.0f, 1e-5f);
    EXPECT_NEAR(trigger.position.z, 10.0f, 1e-5f);
}

TEST(TriggerSpheres, MoreThan256TriggersKeepsTheFirstAndWarns) {
    std::string nodes;
    for (int i = 0; i < 260; ++i) {
        nodes += std::string(i ? ", " : "") + R"({"name": "TRIGGER)" + std::to_string(1000 + i) +
                 R"(", "object": {"type": "sphere"}})";
    }
    LiveTree live(SceneJson(nodes));
    EXPECT_EQ(live.Tree().triggerCount, 256);
    EXPECT_EQ(live.Tree().triggers.back().id, 1255);
    EXPECT_EQ(live.Messages(),
              std::vector<std::string>{
                  "Warning: The scene has 260 triggers; only the first 256 are exported."});
}

}  // namespace
