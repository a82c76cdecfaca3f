// Several scenes in one export call: one file per scene in a folder, the call going on past a
// broken scene, the worst exit code, and the same files and report whatever the number of jobs.
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <map>

#include "cli/run_pellucid.h"
#include "support/script_files.h"

namespace pellucid::test {
namespace {

namespace fs = std::filesystem;

const std::string kExample = std::string(PELLUCID_SOURCE_DIR) + "/examples/character.pscene.json";
const std::string kWalk = std::string(PELLUCID_TEST_DATA) + "/golden/bone/walk.pscene.json";
const std::string kBones = std::string(PELLUCID_TEST_DATA) + "/scenes/panels_bones.pscene.json";
const std::string kGolden = std::string(PELLUCID_TEST_DATA) + "/golden/";

// Every file in the folder with its bytes.
std::map<std::string, std::string> FolderContents(const std::string& folder) {
    std::map<std::string, std::string> files;
    for (const auto& entry : fs::directory_iterator(folder)) {
        files[entry.path().filename().string()] = ReadBytes(entry.path().string());
    }
    return files;
}

std::string BrokenScene(const std::string& folder) {
    const std::string path = folder + "/broken.pscene.json";
    std::ofstream(path) << R"({"pellucidScene": 1, "nodes": [{"name": "Hip", "object": )";
    return path;
}

TEST(BatchExport, BoneScriptsOfSeveralScenesAreTheSameWhateverTheNumberOfJobs) {
    const std::string folder = TemporaryFolder("batch-bones");
    const std::string broken = BrokenScene(folder);
    const std::string out = folder + "/out/";
    std::map<std::string, CommandResult> reports;
    std::map<std::string, std::map<std::string, std::string>> contents;
    for (const std::string jobs : {"1", "2", "4"}) {
        SCOPED_TRACE("--jobs " + jobs);
        fs::remove_all(out);
        const CommandResult r = RunPellucid(
            {"export", "bones", kExample, broken, kWalk, kBones, "-o", out, "--jobs", jobs});
        EXPECT_EQ(r.exitCode, 2);
        reports[jobs] = r;
        contents[jobs] = FolderContents(out);
    }
    const CommandResult& r = reports["1"];
    EXPECT_EQ(r.out, "wrote " + out + "character.bef (0 messages, 0 notes)\n" +  //
                         "wrote " + out + "walk.bef (0 messages, 2 notes)\n" +   //
                         "wrote " + out + "panels_bones.bef (1 message, 1 note)\n" +
                         "3 of 4 scenes written to " + out + "\n");
    // Standard error holds the broken scene's reason, the notes of the walk's attachment dummies,
    // then the message box of the last scene with its note, in scene order.
    EXPECT_EQ(r.err.rfind("pellucid: " + broken + ": line 1, column 58: malformed JSON", 0), 0u)
        << r.err;
    const std::string rest = r.err.substr(r.err.find('\n') + 1);
    EXPECT_EQ(rest.rfind("note: \"ATTACH02_Hat\" is a dummy", 0), 0u) << rest;
    EXPECT_NE(rest.find("\nError: The hierarchy contains a bone with no parent\nnote: bone 3 "
                        "\"DstRoot\" has no bone above it"),
              std::string::npos)
        << rest;
    // The broken scene leaves nothing behind; the others are written as alone.
    const auto& files = contents["1"];
    ASSERT_EQ(files.size(), 3u);
    EXPECT_EQ(files.at("character.bef"), ReadBytes(kGolden + "cli/character.bef"));
    EXPECT_EQ(files.at("walk.bef"), ReadBytes(kGolden + "bone/walk.bef"));
    EXPECT_FALSE(files.at("panels_bones.bef").empty());
    for (const std::string jobs : {"2", "4"}) {
        EXPECT_EQ(contents[jobs], files) << "--jobs " << jobs;
        EXPECT_EQ(reports[jobs].out, r.out) << "--jobs " << jobs;
        EXPECT_EQ(reports[jobs].err, r.err) << "--jobs " << jobs;
    }
}

TEST(BatchExport, MeshScriptsGoIntoAnExistingFolder) {
    // An existing folder needs no trailing slash.
    const std::string folder = TemporaryFolder("batch-mesh");
    const CommandResult r =
        RunPellucid({"export", "mesh", kExample, kBones, "-o", folder, "--jobs", "2"});
    EXPECT_EQ(r.exitCode, 0) << r.err;
    EXPECT_EQ(r.out, "wrote " + folder + "/character.mef (0 messages, 0 notes)\n" +  //
                         "wrote " + folder + "/panels_bones.mef (0 messages, 1 note)\n" +
                         "2 of 2 scenes written to " + folder + "\n");
    const auto files = FolderContents(folder);
    ASSERT_EQ(files.size(), 2u);
    EXPECT_EQ(files.at("character.mef"), ReadBytes(kGolden + "cli/character.mef"));
}

TEST(BatchExport, OptionsReachEverySceneAndTheWorstCodeWins) {
    // --loop makes the character cyclic; with --strict the message box of the panels scene makes
    // its code 1, the worst of the call.
    const std::string folder = TemporaryFolder("batch-options") + "/out/";
    const CommandResult r = RunPellucid(
        {"export", "bones", kExample, kBones, "-o", folder, "--loop", "--strict", "-j", "2"});
    EXPECT_EQ(r.exitCode, 1) << r.err;
    EXPECT_EQ(ReadBytes(folder + "character.bef"), ReadBytes(kGolden + "cli/character-loop.bef"));
    EXPECT_TRUE(fs::exists(folder + "panels_bones.bef"));
    EXPECT_EQ(r.err.rfind("Error: The hierarchy contains a bone with no parent\nnote: bone 3 ", 0),
              0u)
        << r.err;
}

TEST(BatchExport, RefusesOutputsThatCannotHoldOneFilePerScene) {
    const std::string folder = TemporaryFolder("batch-refused");
    fs::create_directories(folder + "/other");
    fs::copy_file(kWalk, folder + "/other/walk.pscene.json");

    // Two scenes of one name would write one file: refused before anything is written.
    CommandResult r = RunPellucid(
        {"export", "bones", kWalk, folder + "/other/walk.pscene.json", "-o", folder + "/out/"});
    EXPECT_EQ(r.exitCode, 2);
    EXPECT_EQ(r.err, "pellucid: " + kWalk + " and " + folder +
                         "/other/walk.pscene.json would both be written to " + folder +
                         "/out/walk.bef; export them into different folders\n");
    EXPECT_FALSE(fs::exists(folder + "/out/walk.bef"));

    // Several scenes need a folder.
    r = RunPellucid({"export", "bones", kWalk, kExample, "-o", folder + "/one.bef"});
    EXPECT_EQ(r.exitCode, 2);
    EXPECT_EQ(r.err, "pellucid: -o " + folder +
                         "/one.bef: several scenes are written into a folder: end the path "
                         "with /\n");
    EXPECT_FALSE(fs::exists(folder + "/one.bef"));

    // A file where the folder should be.
    r = RunPellucid({"export", "bones", kWalk, "-o", kWalk + "/"});
    EXPECT_EQ(r.exitCode, 2);
    EXPECT_NE(r.err.find("the output folder cannot be made"), std::string::npos) << r.err;
}

}  // namespace
}  // namespace pellucid::test
