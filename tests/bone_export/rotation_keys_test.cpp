// The rotation section of the bone script: entries, sampled rotations, controls and limits.
#include <gtest/gtest.h>

#include <cmath>

#include "bone_test_support.h"

namespace {

using namespace bone_test;

std::string RotationKeys(std::initializer_list<int> times) {
    std::string json = R"("rotation": {"controller": "tcb", "keys": [)";
    bool first = true;
    for (const int time : times) {
        json += std::string(first ? "" : ", ") + R"({"time": )" + std::to_string(time) +
                R"(, "value": {"axisAngle": [0, 0, 1, )" + std::to_string(time / 10) + "]}}";
        first = false;
    }
    return json + "]}";
}

std::vector<std::vector<std::string>> DataOfBone(const BoneExport& result, int bone) {
    std::vector<std::vector<std::string>> rows;
    for (const std::string& line : LinesStartingWith(result.lines, "RotationKeyFrameData(")) {
        auto arguments = LineArguments(line);
        if (arguments.at(0) == std::to_string(bone)) {
            rows.push_back(arguments);
        }
    }
    return rows;
}

std::vector<int> EntryTimes(const BoneExport& result, int bone) {
    std::vector<int> times;
    for (const auto& row : DataOfBone(result, bone)) {
        times.push_back(std::stoi(row.at(2)));
    }
    return times;
}

BoneExport ExportOneBone(const std::string& fields, const std::string& settings = "") {
    return ExportBonesJson(SceneJson(R"({"name": "Hip", "object": {"type": "bone"})" +
                                         (fields.empty() ? std::string() : ", " + fields) + "}",
                                     settings));
}

TEST(RotationKeys, BoneWithoutKeysHasOneRestEntryAtTimeZero) {
    const BoneExport result =
        ExportOneBone(R"("transform": {"rotation": {"axisAngle": [0, 0, 1, 90]}})");
    EXPECT_EQ(LinesStartingWith(result.lines, "RotationKeyFrameInit("),
              std::vector<std::string>{"RotationKeyFrameInit(0,1);"});
    const auto rows = DataOfBone(result, 0);
    ASSERT_EQ(rows.size(), 1u);
    const auto& row = rows[0];
    ASSERT_EQ(row.size(), 17u);
    EXPECT_EQ(row[1], "0");
    EXPECT_EQ(row[2], "0");
    // A quarter turn about z is (0, 0, -sin 45, cos 45) in the host's convention, written with
    // its vector part negated.
    EXPECT_NEAR(Number(row[3]), 0.0, 1e-7);
    EXPECT_NEAR(Number(row[4]), 0.0, 1e-7);
    EXPECT_NEAR(Number(row[5]), std::sqrt(0.5), 1e-7);
    EXPECT_NEAR(Number(row[6]), std::sqrt(0.5), 1e-7);
    // Both controls are the rotation itself; no ease.
    for (int i = 0; i < 4; ++i) {
        EXPECT_EQ(row[static_cast<size_t>(7 + i)], row[static_cast<size_t>(3 + i)]);
        EXPECT_EQ(row[static_cast<size_t>(11 + i)], row[static_cast<size_t>(3 + i)]);
    }
    EXPECT_EQ(row[15], "0.00000000000000000e+000");
    EXPECT_EQ(row[16], "0.00000000000000000e+000");
}

TEST(RotationKeys, RestEntryStandsBeforeTheFirstKeyAfterTimeZero) {
    EXPECT_EQ(EntryTimes(ExportOneBone(RotationKeys({100, 200})), 0),
              (std::vector<int>{0, 100, 200}));
    EXPECT_EQ(EntryTimes(ExportOneBone(RotationKeys({0, 100, 200})), 0),
              (std::vector<int>{0, 100, 200}));
    EXPECT_EQ(EntryTimes(ExportOneBone(RotationKeys({-50})), 0), (std::vector<int>{-50, 0}));
    EXPECT_EQ(EntryTimes(ExportOneBone(RotationKeys({-50, -20, 30})), 0),
              (std::vector<int>{-50, -20, 0, 30}));
    EXPECT_EQ(LinesStartingWith(ExportOneBone(RotationKeys({-50})).lines, "RotationKeyFrameInit("),
              std::vector<std::string>{"RotationKeyFrameInit(0,2);"});
}

TEST(RotationKeys, KeyedEntriesSampleTheTransformAndCarryTheDefaultEase) {
    const BoneExport result = ExportOneBone(RotationKeys({100, 200}),
                                            R"("tcbDefaults": {"easeIn": 0.5, "easeOut": 0.25})");
    const auto rows = DataOfBone(result, 0);
    ASSERT_EQ(rows.size(), 3u);
    // At tick 200 the bone has turned 20 degrees about z: written z = +sin 10, w = cos 10.
    EXPECT_NEAR(Number(rows[2][5]), std::sin(10.0 * M_PI / 180.0), 1e-6);
    EXPECT_NEAR(Number(rows[2][6]), std::cos(10.0 * M_PI / 180.0), 1e-6);
    EXPECT_EQ(rows[0][15], "0.00000000000000000e+000");
    EXPECT_EQ(rows[1][15], "5.00000000000000000e-001");
    EXPECT_EQ(rows[1][16], "2.50000000000000000e-001");
    EXPECT_EQ(rows[2][15], "5.00000000000000000e-001");
}

TEST(RotationKeys, ChildRotationIsRelativeToItsParentBoneAndTheRootsToTheWorld) {
    // The dummy above the root turns by 90 degrees: the root's rotation includes it. The child
    // turns with its parent bone and has no rotation of its own.
    const BoneExport result = ExportBonesJson(SceneJson(
        R"({"name": "Turn", "object": {"type": "dummy"},
            "transform": {"rotation": {"axisAngle": [0, 0, 1, 90]}},
            "children": [{"name": "Hip", "object": {"type": "bone"},
                          "children": [{"name": "Leg", "object": {"type": "bone"},
                                        "transform": {"position": [0, 1, 0]}}]}]})"));
    const auto hip = DataOfBone(result, 0).at(0);
    EXPECT_NEAR(Number(hip[5]), std::sqrt(0.5), 1e-6);
    const auto leg = DataOfBone(result, 1).at(0);
    EXPECT_NEAR(Number(leg[3]), 0.0, 1e-6);
    EXPECT_NEAR(Number(leg[4]), 0.0, 1e-6);
    EXPECT_NEAR(Number(leg[5]), 0.0, 1e-6);
    EXPECT_NEAR(Number(leg[6]), 1.0, 1e-6);
}

std::string ManyKeys(int first, int count) {
    std::string json = R"("rotation": {"controller": "linear", "keys": [)";
    for (int i = 0; i < count; ++i) {
        json += std::string(i ? ", " : "") + R"({"time": )" + std::to_string(first + i) +
                R"(, "value": {"axisAngle": [0, 0, 1, 0]}})";
    }
    return json + "]}";
}

TEST(RotationKeys, TableHoldsTwoThousandAndFortyEightEntries) {
    // 2047 keys after time 0 and the rest entry fill the table exactly.
    const BoneExport result = ExportOneBone(ManyKeys(1, 2047));
    EXPECT_EQ(LinesStartingWith(result.lines, "RotationKeyFrameInit("),
              std::vector<std::string>{"RotationKeyFrameInit(0,2048);"});
    EXPECT_TRUE(result.messages.empty());
}

TEST(RotationKeys, BoneNeedingMoreEntriesEndsTheSection) {
    const BoneExport result = ExportBonesJson(SceneJson(
        R"({"name": "Hip", "object": {"type": "bone"},
            "children": [{"name": "Leg", "object": {"type": "bone"}, )" +
        ManyKeys(1, 2048) + R"(},
                         {"name": "Arm", "object": {"type": "bone"}}]})"));
    EXPECT_EQ(LinesStartingWith(result.lines, "RotationKeyFrameInit("),
              std::vector<std::string>{"RotationKeyFrameInit(0,1);"});
    EXPECT_EQ(LinesStartingWith(result.lines, "RotationKeyFrameData(").size(), 1u);
    EXPECT_EQ(result.messages, std::vector<std::string>{"Error: Valid key table full."});
    // The sections after it are still written.
    EXPECT_EQ(LinesStartingWith(result.lines, "TranslationKeyFrameInit(").size(), 1u);
    EXPECT_EQ(result.lines.back(), "TriggerInit(0);");
}

}  // namespace
