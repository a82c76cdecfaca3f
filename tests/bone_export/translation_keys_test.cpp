// The translation section of the bone script: the root bone's keys and a MOVE parent's motion.
#include <gtest/gtest.h>

#include "bone_test_support.h"

namespace {

using namespace bone_test;

const std::string kZero = "0.00000000000000000e+000";

// The numbers of each TranslationKeyFrameData line: bone, entry, time, position, A, B.
std::vector<std::vector<double>> TranslationData(const BoneExport& result) {
    std::vector<std::vector<double>> rows;
    for (const std::string& line : LinesStartingWith(result.lines, "TranslationKeyFrameData(")) {
        std::vector<double> row;
        for (const std::string& argument : LineArguments(line)) {
            row.push_back(Number(argument));
        }
        EXPECT_EQ(row.size(), 12u) << line;
        rows.push_back(row);
    }
    return rows;
}

std::string Hip(const std::string& fields) {
    return R"({"name": "Hip", "object": {"type": "bone"}, "transform": {"position": [1, 0, 0]})" +
           (fields.empty() ? std::string() : ", " + fields) +
           R"(, "children": [{"name": "Leg", "object": {"type": "bone"},
               "position": {"controller": "bezier", "keys": [{"time": 10, "value": [0, 0, 0]}]}}]})";
}

std::string Parent(const std::string& name, const std::string& hip,
                   const std::string& fields = R"("transform": {"position": [5, 0, 0]})") {
    return R"({"name": ")" + name + R"(", "object": {"type": "dummy"}, )" + fields +
           R"(, "children": [)" + hip + "]}";
}

TEST(TranslationKeys, RootWithoutKeysHasOneEntryWithZeroTangents) {
    const BoneExport result = ExportBonesJson(SceneJson(Parent("Holder", Hip(""))));
    EXPECT_EQ(LinesStartingWith(result.lines, "TranslationKeyFrameInit("),
              std::vector<std::string>{"TranslationKeyFrameInit(0,1);"});
    const std::string zeros = kZero + "," + kZero + "," + kZero;
    EXPECT_EQ(LinesStartingWith(result.lines, "TranslationKeyFrameData("),
              std::vector<std::string>{"TranslationKeyFrameData(0,0,0,1.00000000000000000e+000," +
                                       kZero + "," + kZero + "," + zeros + "," + zeros + ");"});
}

TEST(TranslationKeys, RootWithoutKeysUnderMoveIsMeasuredFromMovesParent) {
    const BoneExport result = ExportBonesJson(SceneJson(
        Parent("MOVE", Hip(""),
               R"("position": {"controller": "linear", "keys": [{"time": 0, "value": [5, 0, 0]},
                                                        {"time": 100, "value": [105, 0, 0]}]})")));
    const auto rows = TranslationData(result);
    ASSERT_EQ(rows.size(), 1u);
    EXPECT_EQ(rows[0], (std::vector<double>{0, 0, 0, 6, 0, 0, 0, 0, 0, 0, 0, 0}));
}

const char* const kMoving =
    R"("position": {"controller": "linear", "keys": [{"time": 0, "value": [0, 0, 0]},
                                                    {"time": 4800, "value": [4800, 0, 0]}]})";

const char* const kHipKeys =
    R"("position": {"controller": "bezier", "keys": [
         {"time": 0, "value": [1, 0, 0], "inTangent": [0, 0, -0.5], "outTangent": [0, 0, 0.5]},
         {"time": 2400, "value": [1, 0, 2], "inTangent": [0.25, 0, 0], "outTangent": [0, 2, 0]}]})";

TEST(TranslationKeys, MoveVelocityIsFoldedIntoTheTangents) {
    const BoneExport result = ExportBonesJson(SceneJson(Parent("MOVE", Hip(kHipKeys), kMoving)));
    EXPECT_EQ(LinesStartingWith(result.lines, "TranslationKeyFrameInit("),
              std::vector<std::string>{"TranslationKeyFrameInit(0,2);"});
    const auto rows = TranslationData(result);
    ASSERT_EQ(rows.size(), 2u);
    // A = in - (1, 0, 0), B = out + (1, 0, 0); positions include MOVE's own travel.
    EXPECT_EQ(rows[0], (std::vector<double>{0, 0, 0, 1, 0, 0, -1, 0, -0.5, 1, 0, 0.5}));
    EXPECT_EQ(rows[1], (std::vector<double>{0, 1, 2400, 2401, 0, 2, -0.75, 0, 0, 1, 2, 0}));
}

TEST(TranslationKeys, ParentNamedMoveInLowerCaseCountsButMoverDoesNot) {
    const auto moving =
        TranslationData(ExportBonesJson(SceneJson(Parent("move", Hip(kHipKeys), kMoving))));
    ASSERT_EQ(moving.size(), 2u);
    EXPECT_EQ(moving[1][6], -0.75);
    const auto mover =
        TranslationData(ExportBonesJson(SceneJson(Parent("MOVER", Hip(kHipKeys), kMoving))));
    ASSERT_EQ(mover.size(), 2u);
    // Measured from MOVER itself, without its velocity.
    EXPECT_EQ(mover[1], (std::vector<double>{0, 1, 2400, 1, 0, 2, 0.25, 0, 0, 0, 2, 0}));
}

TEST(TranslationKeys, MoveIsSampledInsideTheRange) {
    // MOVE stands still except for a jump of 10 in the last tick of the range and a jump of 3 in
    // the first tick after 0.
    const std::string move = R"("position": {"controller": "linear", "keys": [
        {"time": -10, "value": [0, 0, 0]}, {"time": 0, "value": [0, 0, 0]},
        {"time": 1, "value": [3, 0, 0]}, {"time": 4798, "value": [3, 0, 0]},
        {"time": 4799, "value": [13, 0, 0]}]})";
    const std::string keys = R"("position": {"controller": "bezier", "keys": [
        {"time": -5, "value": [1, 0, 0]}, {"time": 0, "value": [1, 0, 0]},
        {"time": 100, "value": [1, 0, 0]}, {"time": 4799, "value": [1, 0, 0]},
        {"time": 4900, "value": [1, 0, 0]}]})";
    const auto rows = TranslationData(ExportBonesJson(
        SceneJson(Parent("MOVE", Hip(keys), move), R"("animationRange": [0, 4799])")));
    ASSERT_EQ(rows.size(), 5u);
    std::vector<double> velocities;
    for (const auto& row : rows) {
        velocities.push_back(row[9]);  // B.x = out tangent 0 + velocity
    }
    // -5: ticks -5 and -4; 0: 0 and 1; 100: 99 and 101; 4799 and 4900: the last two ticks.
    EXPECT_EQ(velocities, (std::vector<double>{0, 3, 0, 10, 10}));
}

TEST(TranslationKeys, OtherControllerWithKeysIsReportedAndWritesNoEntries) {
    const BoneExport result = ExportBonesJson(SceneJson(
        Hip(R"("position": {"controller": "linear", "keys": [{"time": 0, "value": [1, 0, 0]}]})")));
    EXPECT_EQ(LinesStartingWith(result.lines, "TranslationKeyFrameInit("),
              std::vector<std::string>{"TranslationKeyFrameInit(0,1);"});
    EXPECT_TRUE(LinesStartingWith(result.lines, "TranslationKeyFrameData(").empty());
    EXPECT_EQ(result.messages,
              std::vector<std::string>{"Error: Translation controller not supported."});
    EXPECT_EQ(result.lines.back(), "TriggerInit(0);");
}

TEST(TranslationKeys, OnlyTheRootBoneHasTranslationLines) {
    const BoneExport result = ExportBonesJson(SceneJson(Hip(kHipKeys)));
    for (const std::string& line : LinesStartingWith(result.lines, "Translation")) {
        EXPECT_EQ(LineArguments(line).at(0), "0") << line;
    }
    EXPECT_EQ(TranslationData(result).size(), 2u);
}

}  // namespace
