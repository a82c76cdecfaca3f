// `pellucid export bones`: the example character's bone script, and the loop option.
#include <gtest/gtest.h>

#include <filesystem>

#include "cli/run_pellucid.h"
#include "support/script_files.h"

namespace pellucid::test {
namespace {

const std::string kExample = std::string(PELLUCID_SOURCE_DIR) + "/examples/character.pscene.json";
const std::string kGolden = std::string(PELLUCID_TEST_DATA) + "/golden/cli/";

// The character walks forward on its MOVE node, bobs on its root bone's position keys, sways its
// spine and nods its head, and steps on a trigger at tick 1600. The spine's last key lies a frame
// past the range, so with the loop option the animation is cyclic.
TEST(ExportBonesCommand, WritesTheExampleCharacterAsTheGoldenScripts) {
    const std::string folder = TemporaryFolder("export-bones-example");
    const std::string output = folder + "/character.bef";
    CommandResult r = RunPellucid({"export", "bones", kExample, "-o", output});
    EXPECT_EQ(r.exitCode, 0) << r.err;
    EXPECT_EQ(r.out, "wrote " + output + " (0 messages, 0 notes)\n");
    EXPECT_EQ(r.err, "");
    EXPECT_EQ(ReadBytes(output), ReadBytes(kGolden + "character.bef"));
    EXPECT_EQ(std::distance(std::filesystem::directory_iterator(folder), {}), 1);

    // --loop marks the animation cyclic and wraps the first and last entries' tangents round the
    // loop; --no-loop overrides a scene that loops.
    r = RunPellucid({"export", "bones", kExample, "-o", output, "--loop"});
    EXPECT_EQ(r.exitCode, 0) << r.err;
    const std::string looped = ReadBytes(output);
    EXPECT_EQ(looped, ReadBytes(kGolden + "character-loop.bef"));
    EXPECT_EQ(looped.rfind("AnimInit(\"Anim name\",3,3201,1);\r\n", 0), 0u);
    r = RunPellucid({"export", "bones", kExample, "-o", output, "--no-loop"});
    EXPECT_EQ(ReadBytes(output), ReadBytes(kGolden + "character.bef"));
}

TEST(ExportBonesCommand, SceneWithoutBonesGivesAnEmptyScript) {
    const std::string folder = TemporaryFolder("export-bones-empty");
    const std::string scene = folder + "/scene.pscene.json";
    std::filesystem::copy_file(
        std::string(PELLUCID_TEST_DATA) + "/scenes/panels_openbox.pscene.json", scene);
    const CommandResult r = RunPellucid({"export", "bones", scene, "-o", folder + "/out.bef"});
    EXPECT_EQ(r.exitCode, 0) << r.err;
    EXPECT_TRUE(std::filesystem::exists(folder + "/out.bef"));
    EXPECT_EQ(ReadBytes(folder + "/out.bef"), "");
}

}  // namespace
}  // namespace pellucid::test
