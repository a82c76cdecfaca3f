// Attached objects, their link events and key frames, and the trigger lines of the bone script.
#include <gtest/gtest.h>

#include "bone_test_support.h"

namespace {

using namespace bone_test;

std::string Dummy(const std::string& name, const std::string& fields = "") {
    return R"({"name": ")" + name + R"(", "object": {"type": "dummy"})" +
           (fields.empty() ? std::string() : ", " + fields) + "}";
}

// Bones Hip (0) > B1 (1) > B2 (2); Hip > B3 (3) > B4 (4); Hip > B5 (5); `extra` nodes follow
// Hip at the top level, and `onB4` hang on B4.
std::string Skeleton(const std::string& extra, const std::string& onB4 = "") {
    return SceneJson(
        R"({"name": "Hip", "object": {"type": "bone"}, "children": [
              {"name": "B1", "object": {"type": "bone"}, "transform": {"position": [1, 0, 0]},
               "children": [{"name": "B2", "object": {"type": "bone"},
                             "transform": {"position": [0, 2, 0]}}]},
              {"name": "B3", "object": {"type": "bone"}, "children": [
                 {"name": "B4", "object": {"type": "bone"}, "transform": {"position": [0, 0, 3]},
                  "children": [)" +
        onB4 + R"(]}]},
              {"name": "B5", "object": {"type": "bone"}, "transform": {"position": [0, 0, -1]}}]})" +
        (extra.empty() ? std::string() : ", " + extra));
}

std::vector<std::string> AttachedNames(const BoneExport& result) {
    std::vector<std::string> names;
    for (const std::string& line : LinesStartingWith(result.lines, "AnimAttachObject(")) {
        names.push_back(LineArguments(line).at(0));
    }
    return names;
}

TEST(AttachedObjects, WrittenInOrderOfTheirNumbersThenOfTheWalk) {
    const BoneExport result =
        ExportBonesJson(Skeleton(Dummy("ATTACH02_A") + ", " + Dummy("ATTACH01_B") + ", " +
                                 Dummy("attach02_C") + ", " + Dummy("ATTACH001_D")));
    EXPECT_EQ(AttachedNames(result),
              (std::vector<std::string>{"\"B\"", "\"D\"", "\"A\"", "\"C\""}));
    const auto ids = LinesStartingWith(result.lines, "AnimAttachObjectBoneID(");
    EXPECT_EQ(ids, (std::vector<std::string>{
                       "AnimAttachObjectBoneID(0,-1);", "AnimAttachObjectBoneID(1,-1);",
                       "AnimAttachObjectBoneID(2,-1);", "AnimAttachObjectBoneID(3,-1);"}));
}

TEST(AttachedObjects, OnlyTheFirstSixteenAreCollected) {
    std::string nodes;
    for (int i = 0; i < 17; ++i) {
        const int number = 20 - i;
        nodes += (i ? ", " : "") + Dummy("ATTACH" + std::string(number < 10 ? "0" : "") +
                                         std::to_string(number) + "_N" + std::to_string(i));
    }
    const auto names = AttachedNames(ExportBonesJson(Skeleton(nodes)));
    ASSERT_EQ(names.size(), 16u);
    EXPECT_EQ(names.front(), "\"N15\"");  // number 5; N16 (number 4) came seventeenth
    EXPECT_EQ(names.back(), "\"N0\"");
}

TEST(AttachedObjects, RestFrameIsRelativeToTheBoneTheObjectHangsOn) {
    const BoneExport result =
        ExportBonesJson(Skeleton("", Dummy("ATTACH01_Sword", R"("transform": {"position": [0, 1, 0],
                                    "rotation": {"axisAngle": [0, 0, 1, 90]}})")));
    EXPECT_EQ(LinesStartingWith(result.lines, "AnimAttachObjectBoneID("),
              std::vector<std::string>{"AnimAttachObjectBoneID(0,4);"});
    const auto line = LinesStartingWith(result.lines, "AnimAttachObject(").at(0);
    const auto arguments = LineArguments(line);
    ASSERT_EQ(arguments.size(), 14u);
    EXPECT_EQ(arguments[1], "0");
    // Axis rows of a quarter turn about z, then the offset (0, 1, 0).
    const std::vector<double> expected{0, 1, 0, -1, 0, 0, 0, 0, 1, 0, 1, 0};
    for (size_t i = 0; i < expected.size(); ++i) {
        EXPECT_NEAR(Number(arguments[i + 2]), expected[i], 1e-6) << "argument " << i + 2;
    }
}

const char* const kLinked =
    R"("link": [{"target": "B2", "time": 0}, {"target": "B5", "time": 1600}])";

TEST(AttachedObjects, LinkConstraintWritesOneEventPerTarget) {
    const BoneExport result = ExportBonesJson(Skeleton(Dummy("ATTACH01_Torch", kLinked)));
    EXPECT_EQ(LinesStartingWith(result.lines, "AnimAttachObjectBoneID("),
              std::vector<std::string>{"AnimAttachObjectBoneID(0,2);"});
    const auto events = LinesStartingWith(result.lines, "LinkEvent(");
    ASSERT_EQ(events.size(), 2u);
    const auto first = LineArguments(events[0]);
    const auto second = LineArguments(events[1]);
    ASSERT_EQ(first.size(), 15u);
    EXPECT_EQ((std::vector<std::string>{first[0], first[1], first[2]}),
              (std::vector<std::string>{"0", "0", "2"}));
    EXPECT_EQ((std::vector<std::string>{second[0], second[1], second[2]}),
              (std::vector<std::string>{"0", "1600", "5"}));
    // Without keys the object has no key frames, and its link times are not sampled.
    EXPECT_TRUE(LinesStartingWith(result.lines, "AttachObjectKeyFrame").empty());
}

TEST(AttachedObjects, SingleLinkTargetWritesNoEvent) {
    const BoneExport result = ExportBonesJson(
        Skeleton(Dummy("ATTACH01_Torch", R"("link": [{"target": "B5", "time": 0}])")));
    EXPECT_TRUE(LinesStartingWith(result.lines, "LinkEvent(").empty());
    EXPECT_EQ(LinesStartingWith(result.lines, "AnimAttachObjectBoneID("),
              std::vector<std::string>{"AnimAttachObjectBoneID(0,5);"});
}

std::vector<int> KeyFrameTimes(const BoneExport& result) {
    std::vector<int> times;
    for (const std::string& line : LinesStartingWith(result.lines, "AttachObjectKeyFrame(")) {
        const auto arguments = LineArguments(line);
        EXPECT_EQ(arguments.size(), 10u) << line;
        times.push_back(std::stoi(arguments.at(2)));
    }
    return times;
}

TEST(AttachedObjects, KeyFramesSampleKeysAndTheTicksAroundEachLink) {
    const BoneExport result = ExportBonesJson(Skeleton(
        Dummy("ATTACH01_Torch", std::string(kLinked) + R"(, "position": {"controller": "bezier",
            "keys": [{"time": 3200, "value": [0, 0, 0]}]})")));
    EXPECT_EQ(KeyFrameTimes(result), (std::vector<int>{0, 1599, 1600, 3200}));
    EXPECT_EQ(LinesStartingWith(result.lines, "AttachObjectKeyFrameInit("),
              std::vector<std::string>{"AttachObjectKeyFrameInit(0, 4);"});
    const auto line = LinesStartingWith(result.lines, "AttachObjectKeyFrame(").at(1);
    EXPECT_EQ(line.rfind("AttachObjectKeyFrame(0, 1, 1599, ", 0), 0u) << line;
}

TEST(AttachedObjects, KeyFrameTimesAreSortedWithoutRepeatsOrNegatives) {
    const BoneExport both =
        ExportBonesJson(Skeleton(Dummy("ATTACH01_Cup",
                                       R"("rotation": {"controller": "tcb", "keys": [
              {"time": 0, "value": {"axisAngle": [0, 0, 1, 0]}},
              {"time": 100, "value": {"axisAngle": [0, 0, 1, 45]}}]},
           "position": {"controller": "bezier", "keys": [{"time": 100, "value": [0, 0, 0]}]})")));
    EXPECT_EQ(KeyFrameTimes(both), (std::vector<int>{0, 100}));
    const BoneExport negative = ExportBonesJson(
        Skeleton(Dummy("ATTACH01_Cup", R"("position": {"controller": "linear", "keys": [
              {"time": -20, "value": [0, 0, 0]}, {"time": 50, "value": [1, 0, 0]}]})")));
    EXPECT_EQ(KeyFrameTimes(negative), (std::vector<int>{0, 50}));
    const BoneExport resting = ExportBonesJson(
        Skeleton(Dummy("ATTACH01_Cup", R"("position": {"controller": "linear", "keys": [
              {"time": 0, "value": [0, 0, 0]}]})")));
    EXPECT_TRUE(LinesStartingWith(resting.lines, "AttachObjectKeyFrame").empty());
}

TEST(Triggers, WrittenInTheOrderTheyFire) {
    auto trigger = [](int id, int shows) {
        return R"({"name": "TRIGGER)" + std::to_string(1000 + id) +
               R"(", "object": {"type": "sphere"}, "visibility": {"interpolation": "step",
                   "keys": [{"time": 0, "value": 0}, {"time": )" +
               std::to_string(shows) + R"(, "value": 1}]}})";
    };
    const BoneExport result = ExportBonesJson(
        Skeleton(trigger(1, 300) + ", " + trigger(2, 100) + ", " + trigger(3, 200)));
    const std::string zeros =
        "0.00000000000000000e+000,0.00000000000000000e+000,0.00000000000000000e+000";
    const std::vector<std::string> expected{
        "TriggerInit(3);", "TriggerData(0,1002,100,-1," + zeros + ");",
        "TriggerData(1,1003,200,-1," + zeros + ");", "TriggerData(2,1001,300,-1," + zeros + ");"};
    EXPECT_EQ(std::vector<std::string>(result.lines.end() - 4, result.lines.end()), expected);
}

TEST(Triggers, SceneWithBonesButNoTriggersEndsWithAnEmptyTriggerList) {
    EXPECT_EQ(ExportBonesJson(Skeleton("")).lines.back(), "TriggerInit(0);");
}

}  // namespace
