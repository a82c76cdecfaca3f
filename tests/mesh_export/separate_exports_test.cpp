// Hosts and exports that do not see each other: a second host made and destroyed while the first
// is alive, and exports running at once on several threads, each with its own host.
#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <string>
#include <thread>
#include <vector>

#include "mesh_export/expo_mesh.h"
#include "mesh_test_support.h"

namespace {

using testing::ElementsAre;

const std::string kScenes = PELLUCID_TEST_DATA "/scenes/";
const std::string kGolden = PELLUCID_TEST_DATA "/golden/mesh/";

pellucid::doc::Document ReadScene(const std::string& name) {
    return pellucid::standalone::ReadSceneDocument(kScenes + name + ".pscene.json");
}

TEST(SeparateExports, SecondHostComingAndGoingLeavesTheFirstOneItsSettingsAndMessages) {
    pellucid::doc::Document firstDocument = ReadScene("mesh_textured");
    firstDocument.settings.ticksPerFrame = 100;
    pellucid::standalone::StandaloneHost first(firstDocument);
    first.SetEchoMessages(false);
    {
        pellucid::doc::Document secondDocument = ReadScene("mesh_markers");
        secondDocument.settings.ticksPerFrame = 200;
        pellucid::standalone::StandaloneHost second(secondDocument);
        second.SetEchoMessages(false);
        EXPECT_EQ(GetTicksPerFrame(), 200);
    }
    EXPECT_EQ(GetTicksPerFrame(), 100);
    const std::string path = ScratchPath("first.mef");
    EXPECT_EQ(ExpoMesh().DoExport(path.c_str(), first.GetExpInterface(), &first), 1);
    EXPECT_EQ(ReadBytes(path), ReadBytes(kGolden + "mesh_textured.mef"));
    ASSERT_EQ(first.Messages().size(), 1u);
    EXPECT_EQ(first.Messages()[0].text, "Illegal texture size.");
}

TEST(SeparateExports, ExportsOnSeveralThreadsWriteTheirOwnScriptsAndMessages) {
    const std::vector<std::string> scenes = {"mesh_textured", "mesh_markers", "mesh_skinned",
                                             "mesh_mirrored"};
    std::vector<MeshExport> sequential;
    for (const std::string& scene : scenes) {
        sequential.push_back(ExportMesh(ReadScene(scene)));
    }
    std::vector<MeshExport> parallel(scenes.size());
    std::vector<std::thread> threads;
    for (size_t i = 0; i < scenes.size(); ++i) {
        threads.emplace_back([&, i] {
            parallel[i] = pellucid::test::RunExport<ExpoMesh>(
                ReadScene(scenes[i]), ScratchPath("thread" + std::to_string(i) + ".mef"));
        });
    }
    for (std::thread& thread : threads) {
        thread.join();
    }
    for (size_t i = 0; i < scenes.size(); ++i) {
        EXPECT_EQ(parallel[i].bytes, sequential[i].bytes) << scenes[i];
        EXPECT_EQ(parallel[i].messages, sequential[i].messages) << scenes[i];
    }
    EXPECT_THAT(parallel[0].messages, ElementsAre("Warning: Illegal texture size."));
}

}  // namespace
