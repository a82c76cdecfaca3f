// A whole bone script compared byte for byte with one checked by hand, and the skeleton block as
// the mesh exporter writes it.
#include <gtest/gtest.h>

#include <fstream>

#include "bone_export/enum_bone.h"
#include "bone_export/expo_bone.h"
#include "bone_test_support.h"
#include "standalone/document/scene_document_io.h"

namespace {

using namespace bone_test;

const std::string kGolden = PELLUCID_TEST_DATA "/golden/bone/";

// The walk scene: a root bone moving along x (Bezier keys at 0 and 100), a leg bone that turns
// half round about x by tick 50, a cup attached to the leg that rises, a hat attached to nothing,
// and a trigger on the root bone that shows at tick 40.
TEST(GoldenBoneScript, WalkSceneMatchesTheCheckedScript) {
    const BoneExport result =
        ExportBones(pellucid::standalone::ReadSceneDocument(kGolden + "walk.pscene.json"));
    const std::string expected = ReadBytes(kGolden + "walk.bef");
    ASSERT_FALSE(expected.empty());
    if (result.bytes != expected) {
        std::ofstream(ScratchPath("walk.bef"), std::ios::binary) << result.bytes;
    }
    EXPECT_EQ(result.bytes, expected) << "actual script written to " << ScratchPath("walk.bef");
    EXPECT_TRUE(result.messages.empty());
}

TEST(GoldenBoneScript, ExportingTwiceGivesTheSameBytes) {
    const auto document = pellucid::standalone::ReadSceneDocument(kGolden + "walk.pscene.json");
    EXPECT_EQ(ExportBones(document).bytes, ExportBones(document).bytes);
}

// The example character (a MOVE parent, rotation and position keys, a trigger) exported twice by
// one host: what the first export leaves in the scene's caches does not change a byte of the
// second, and a cyclic export in between does not either.
TEST(GoldenBoneScript, OneHostExportingAnAnimatedSceneAgainWritesTheSameBytes) {
    pellucid::standalone::StandaloneHost host(pellucid::standalone::ReadSceneDocument(
        PELLUCID_SOURCE_DIR "/examples/character.pscene.json"));
    host.SetEchoMessages(false);
    const auto exportTo = [&host](const std::string& name) {
        const std::string path = ScratchPath(name);
        ExpoBone().DoExport(path.c_str(), host.GetExpInterface(), &host);
        return ReadBytes(path);
    };
    const std::string first = exportTo("first.bef");
    host.GetScene().settings.loop = true;
    const std::string looped = exportTo("looped.bef");
    host.GetScene().settings.loop = false;
    const std::string again = exportTo("again.bef");
    EXPECT_EQ(first, ReadBytes(PELLUCID_TEST_DATA "/golden/cli/character.bef"));
    EXPECT_EQ(looped, ReadBytes(PELLUCID_TEST_DATA "/golden/cli/character-loop.bef"));
    EXPECT_EQ(again, first);
    EXPECT_TRUE(host.Messages().empty());
}

TEST(GoldenBoneScript, MeshExporterGetsTheSkeletonInTheStreamsOwnFormat) {
    pellucid::standalone::StandaloneHost host(
        pellucid::standalone::ReadSceneDocument(kGolden + "walk.pscene.json"));
    host.SetEchoMessages(false);
    const std::string path = ScratchPath("skeleton.mef");
    {
        TextStream out(path);
        EnumBone_t worker(&out, &out, "graps.vph", &host);
        worker.BuildTree();
        ASSERT_NE(worker.tree, nullptr);
        ASSERT_EQ(worker.tree->boneCount, 2);
        worker.OutputHierarchy();
    }
    EXPECT_EQ(ReadBytes(path),
              "Bone(0,\"Hip\",-1,0,0,10);\r\n"
              "Bone(1,\"Leg\",0,0,0,-5);\r\n"
              "BuildHierarchy();\r\n");
}

}  // namespace
