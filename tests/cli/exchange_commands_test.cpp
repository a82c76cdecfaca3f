// The exchange and evaluation commands as a user runs them: whole outputs against golden files,
// the notes on what the library passed over, and refused requests.
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>

#include "cli/run_pellucid.h"
#include "support/script_files.h"

namespace pellucid::test {
namespace {

namespace fs = std::filesystem;

const std::string kData = PELLUCID_TEST_DATA;
const std::string kExchange = kData + "/exchange/";
const std::string kGolden = kData + "/golden/cli/";
const std::string kZutScene = kData + "/scenes/zut_objects.pscene.json";

std::string ReplaceAll(std::string text, const std::string& from, const std::string& to) {
    for (size_t at = text.find(from); at != std::string::npos;
         at = text.find(from, at + to.size())) {
        text.replace(at, from.size(), to);
    }
    return text;
}

TEST(ExportZutCommand, WritesTheLibrarysFileAndNamesTheNodesItPassedOver) {
    const std::string out = TemporaryFolder("zut-export") + "/objects.zut";
    const CommandResult r = RunPellucid({"export", "zut", kZutScene, "-o", out});
    ASSERT_EQ(r.exitCode, 0) << r.err;
    EXPECT_EQ(ReadBytes(out), ReadBytes(kData + "/golden/zut/zut_objects.zut"));
    EXPECT_EQ(r.out, "wrote " + out +
                         " (2 objects)\n  ZUTwave: 5 vertices, 3 faces\n  ZUTbox: 8 vertices, 12 "
                         "faces\n");
    EXPECT_EQ(r.err,
              "note: node \"zutLowerCase\" is not exported: only names that begin with \"ZUT\" "
              "in capitals are\nnote: node \"ZUThelper\" is not exported: its object is not a "
              "mesh\n");
    EXPECT_EQ(RunPellucid({"export", "zut", kZutScene, "-o", out, "--strict"}).exitCode, 1);
}

TEST(ExportZutCommand, RefusesToWriteOverTheScene) {
    const std::string folder = TemporaryFolder("zut-over");
    const std::string scene = folder + "/scene.pscene.json";
    fs::copy_file(kZutScene, scene);
    const CommandResult r =
        RunPellucid({"export", "zut", scene, "-o", folder + "/./scene.pscene.json"});
    EXPECT_EQ(r.exitCode, 2);
    EXPECT_NE(r.err.find("this file is read by the command"), std::string::npos) << r.err;
    EXPECT_EQ(ReadBytes(scene), ReadBytes(kZutScene));
}

TEST(ImportZutCommand, WritesTheSectionsMeshAndExplainsWhatWasLeftOut) {
    const std::string out = TemporaryFolder("zut-import") + "/plane.pscene.json";
    const CommandResult r = RunPellucid({"import", "zut", kExchange + "plane.zut", "-o", out});
    ASSERT_EQ(r.exitCode, 0) << r.err;
    EXPECT_EQ(ReadBytes(out), ReadBytes(kGolden + "plane.pscene.json"));
    EXPECT_EQ(r.out, "wrote " + out + " (ZUT_Object: 4 vertices, 2 faces)\n");
    const std::string input = kExchange + "plane.zut";
    EXPECT_EQ(r.err, "note: " + input +
                         " line 9: the face names vertex 4, but the section has 4 vertices; the "
                         "face is left out\nnote: " +
                         input +
                         " line 10: it is neither a vertex nor a face line, so the mesh section "
                         "ends there and the rest of the file is not read\n");
    // What the command wrote reads back as a scene.
    EXPECT_EQ(RunPellucid({"info", out}).exitCode, 0);
}

TEST(ImportZutCommand, AFileWithoutASectionIsBadInputAndLeavesNoOutput) {
    const std::string folder = TemporaryFolder("zut-refused");
    const std::string out = folder + "/out.pscene.json";
    const CommandResult r =
        RunPellucid({"import", "zut", kData + "/golden/zut/zut_objects.zut", "-o", out});
    EXPECT_EQ(r.exitCode, 2);
    EXPECT_NE(r.err.find("no line contains \"Cube_MeshNew\""), std::string::npos) << r.err;
    EXPECT_TRUE(fs::is_empty(folder));
}

TEST(ImportQmoCommand, AssemblesTheLevelAndReportsEveryModelLine) {
    const std::string out = TemporaryFolder("qmo-import") + "/level.pscene.json";
    const std::string list = kExchange + "level.qmo";
    const CommandResult r =
        RunPellucid({"import", "qmo", list, "-o", out, "--map-drive", "q=" + kExchange, "--json"});
    ASSERT_EQ(r.exitCode, 0) << r.err;
    EXPECT_EQ(ReadBytes(out), ReadBytes(kGolden + "level.pscene.json"));
    EXPECT_EQ(ReplaceAll(ReplaceAll(r.out, out, "OUTPUT"), list, "level.qmo"),
              ReadBytes(kGolden + "level-report.json"));
    EXPECT_EQ(
        RunPellucid({"import", "qmo", list, "-o", out, "--map-drive", "q=" + kExchange, "--strict"})
            .exitCode,
        1);
}

TEST(EvalCommand, SavesTheSceneWithItsStacksEvaluatedAtTheTime) {
    const std::string out = TemporaryFolder("eval") + "/frame5.pscene.json";
    const CommandResult r = RunPellucid({"eval", kZutScene, "--frame", "5", "-o", out});
    ASSERT_EQ(r.exitCode, 0) << r.err;
    EXPECT_EQ(r.out, "wrote " + out +
                         " (the scene at tick 800, frame 5; 1 mesh evaluated)\n  ZUTwave: Morpher "
                         "-> 5 vertices, 3 faces\n");
    // Half way: vertex 1 has risen by 5, and no stack is left.
    const std::string saved = ReadBytes(out);
    EXPECT_NE(saved.find("[1,0,5]"), std::string::npos) << saved;
    EXPECT_EQ(saved.find("modifiers"), std::string::npos) << saved;
    EXPECT_EQ(RunPellucid({"eval", kZutScene, "-o", out}).exitCode, 2);
    EXPECT_EQ(RunPellucid({"eval", kZutScene, "--time", "1", "--frame", "1", "-o", out}).exitCode,
              2);
}

TEST(ExchangeCommands, HelpExplainsEachCommand) {
    for (const auto& args : std::vector<std::vector<std::string>>{{"export", "zut", "--help"},
                                                                  {"import", "zut", "--help"},
                                                                  {"import", "qmo", "--help"},
                                                                  {"eval", "--help"}}) {
        const CommandResult r = RunPellucid(args);
        EXPECT_EQ(r.exitCode, 0) << args[1];
        EXPECT_NE(r.out.find("Usage"), std::string::npos) << r.out;
    }
}

}  // namespace
}  // namespace pellucid::test
