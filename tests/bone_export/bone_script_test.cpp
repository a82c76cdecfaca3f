// Whole bone exports of live scenes: the file, its header line and the skeleton block.
#include <gtest/gtest.h>

#include <filesystem>

#include "bone_export/expo_bone.h"
#include "bone_test_support.h"
#include "standalone/host/standalone_host.h"

namespace {

using namespace bone_test;

const std::string kOne = "1.00000000000000000e+000";
const std::string kZero = "0.00000000000000000e+000";

TEST(BoneExport, SceneWithoutBonesGivesAnEmptyFileAndKeepsTheHostTime) {
    const BoneExport result = ExportBonesJson(
        SceneJson(R"({"name": "Ship", "object": {"type": "mesh", "vertices": [[0, 0, 0]]}})",
                  R"("time": 480)"));
    EXPECT_EQ(result.result, 1);
    EXPECT_TRUE(result.fileExists);
    EXPECT_EQ(result.bytes, "");
    EXPECT_EQ(result.timeAfter, 480);
    EXPECT_TRUE(result.messages.empty());
}

TEST(BoneExport, FileThatCannotBeOpenedStillReportsSuccess) {
    pellucid::standalone::StandaloneHost host(
        SceneFromJson(SceneJson(R"({"name": "Hip", "object": {"type": "bone"}})")));
    host.SetEchoMessages(false);
    const std::string path = ScratchPath("missing-folder/out.bef");
    EXPECT_EQ(ExpoBone().DoExport(path.c_str(), host.GetExpInterface(), &host), 1);
    EXPECT_FALSE(std::filesystem::exists(path));
    EXPECT_TRUE(host.Messages().empty());
}

TEST(BoneExport, HostTimeIsRestoredAfterAnExportWithBones) {
    const BoneExport result = ExportBonesJson(
        SceneJson(R"({"name": "Hip", "object": {"type": "bone"}})", R"("time": 960)"));
    EXPECT_EQ(result.timeAfter, 960);
    ASSERT_FALSE(result.lines.empty());
}

std::string CyclicScene(int lastKeyTime, bool loop) {
    return SceneJson(
        R"({"name": "Hip", "object": {"type": "bone"},
            "children": [{"name": "Leg", "object": {"type": "bone"},
               "position": {"controller": "bezier", "keys": [{"time": 0, "value": [0, 0, 0]},
                            {"time": )" +
            std::to_string(lastKeyTime) + R"(, "value": [0, 0, 1]}]}}]})",
        std::string(R"("animationRange": [0, 4799], "loop": )") + (loop ? "true" : "false"));
}

TEST(BoneExport, AnimationIsCyclicOnlyWithAKeyPastTheRangeAndTheLoopOption) {
    EXPECT_EQ(ExportBonesJson(CyclicScene(4800, true)).lines.at(0),
              "AnimInit(\"Anim name\",2,4800,1);");
    EXPECT_EQ(ExportBonesJson(CyclicScene(4800, false)).lines.at(0),
              "AnimInit(\"Anim name\",2,4800,0);");
    EXPECT_EQ(ExportBonesJson(CyclicScene(4799, true)).lines.at(0),
              "AnimInit(\"Anim name\",2,4800,0);");
}

TEST(BoneExport, BoneLineGivesTheRestPositionInScientificNotation) {
    const BoneExport result = ExportBonesJson(SceneJson(
        R"({"name": "Hip Bone", "object": {"type": "bone"}, "transform": {"position": [1, 2, 3]},
            "position": {"controller": "linear", "keys": [{"time": 0, "value": [1, 2, 3]},
                                                          {"time": 100, "value": [7, 7, 7]}]}})",
        R"("time": 100)"));
    const auto bones = LinesStartingWith(result.lines, "Bone(");
    ASSERT_EQ(bones.size(), 1u);
    EXPECT_EQ(bones[0], "Bone(0,\"Hip Bone\",-1," + kOne + ",2.00000000000000000e+000," +
                            "3.00000000000000000e+000);");
    EXPECT_EQ(result.lines.at(2), "BuildHierarchy();");
}

TEST(BoneExport, RootBonePositionIsMeasuredFromItsSceneParent) {
    const BoneExport result = ExportBonesJson(SceneJson(
        R"({"name": "Holder", "object": {"type": "dummy"}, "transform": {"position": [5, 0, 0]},
            "children": [{"name": "Hip", "object": {"type": "bone"},
                          "transform": {"position": [1, 0, 0]}}]})"));
    EXPECT_EQ(LinesStartingWith(result.lines, "Bone(").at(0),
              "Bone(0,\"Hip\",-1," + kOne + "," + kZero + "," + kZero + ");");
}

TEST(BoneExport, ChildPositionIsMeasuredFromTheParentBoneAndNegatedUnderAMirroredOne) {
    // Mirror has sign -1 and every bone below inherits it: each offset from the parent bone is
    // written negated. Toe hangs on Foot through a mesh, 2 above it.
    const BoneExport result = ExportBonesJson(SceneJson(
        R"({"name": "Mirror", "object": {"type": "bone"}, "transform": {"scale": [-1, 1, 1]},
            "children": [{"name": "Leg", "object": {"type": "bone"},
                          "transform": {"position": [2, 0, 0]},
              "children": [{"name": "Foot", "object": {"type": "bone"},
                            "transform": {"position": [0, 3, 0]},
                "children": [{"name": "Shoe", "object": {"type": "mesh", "vertices": [[0, 0, 0]]},
                              "transform": {"position": [0, 0, 1]},
                  "children": [{"name": "Toe", "object": {"type": "bone"},
                                "transform": {"position": [0, 0, 1]}}]}]}]}]})"));
    const auto bones = LinesStartingWith(result.lines, "Bone(");
    ASSERT_EQ(bones.size(), 4u);
    EXPECT_EQ(bones[1],
              "Bone(1,\"Leg\",0,-2.00000000000000000e+000,-" + kZero + ",-" + kZero + ");");
    EXPECT_EQ(bones[2],
              "Bone(2,\"Foot\",1,-" + kZero + ",-3.00000000000000000e+000,-" + kZero + ");");
    EXPECT_EQ(bones[3],
              "Bone(3,\"Toe\",2,-" + kZero + ",-" + kZero + ",-2.00000000000000000e+000);");
}

TEST(BoneExport, SecondRootBoneIsWrittenWithoutParentAndReportedOnce) {
    const BoneExport result = ExportBonesJson(SceneJson(
        R"({"name": "Hip", "object": {"type": "bone"}},
           {"name": "Tail", "object": {"type": "bone"}, "transform": {"position": [0, -1, 0]}})"));
    const auto bones = LinesStartingWith(result.lines, "Bone(");
    ASSERT_EQ(bones.size(), 2u);
    EXPECT_EQ(bones[1], "Bone(1,\"Tail\",-1," + kZero + ",-" + kOne + "," + kZero + ");");
    EXPECT_EQ(result.messages,
              std::vector<std::string>{"Error: The hierarchy contains a bone with no parent"});
}

}  // namespace
