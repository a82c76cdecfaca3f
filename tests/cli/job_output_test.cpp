// Safe outputs through the command line: never an input, the system's reason, standard output, and
// nothing left behind by a write that fails part-way.
#include <gtest/gtest.h>
#include <unistd.h>

#include <filesystem>
#include <fstream>

#include "cli/run_pellucid.h"
#include "support/script_files.h"

namespace pellucid::test {
namespace {

namespace fs = std::filesystem;

const std::string kSource = PELLUCID_SOURCE_DIR;
const std::string kGolden = std::string(PELLUCID_TEST_DATA) + "/golden/cli/";

// A copy of the example character (scene, side file, textures) in a fresh folder.
std::string CopyExample(const std::string& name) {
    const std::string folder = TemporaryFolder(name);
    fs::copy(kSource + "/examples", folder, fs::copy_options::recursive);
    return folder;
}

size_t FileCount(const std::string& folder) {
    size_t count = 0;
    for (const auto& entry : fs::recursive_directory_iterator(folder)) {
        count += entry.is_regular_file() ? 1 : 0;
    }
    return count;
}

TEST(SafeOutputs, AnOutputThatIsAnInputIsRefusedAndTheInputKept) {
    const std::string folder = CopyExample("output-is-input");
    const std::string scene = folder + "/character.pscene.json";
    const std::string before = ReadBytes(scene);
    const std::string image = ReadBytes(folder + "/textures/character.png");
    struct Case {
        std::string output;
        std::string named;  // how the message names the input when spelled differently
    };
    for (const Case& c :
         {Case{scene, ""}, Case{folder + "/textures/../character.pscene.json", scene},
          Case{folder + "/textures/character.png", ""}}) {
        const CommandResult r = RunPellucid({"export", "mesh", scene, "-o", c.output});
        EXPECT_EQ(r.exitCode, 2) << c.output;
        EXPECT_EQ(r.out, "");
        EXPECT_NE(r.err.find("-o " + c.output + ": this file is read by the command"),
                  std::string::npos)
            << r.err;
        EXPECT_NE(r.err.find("would be overwritten; choose another output file\n"),
                  std::string::npos);
        if (!c.named.empty()) {
            EXPECT_NE(r.err.find("(as " + c.named + ")"), std::string::npos) << r.err;
        }
    }
    EXPECT_EQ(ReadBytes(scene), before);
    EXPECT_EQ(ReadBytes(folder + "/textures/character.png"), image);
}

TEST(SafeOutputs, AFolderThatCannotTakeTheOutputIsNamedWithWhatToDo) {
    const std::string folder = TemporaryFolder("output-folders");
    const std::string scene = kSource + "/examples/character.pscene.json";
    CommandResult r = RunPellucid({"export", "mesh", scene, "-o", folder + "/missing/out.mef"});
    EXPECT_EQ(r.exitCode, 2);
    EXPECT_EQ(r.err, "pellucid: -o " + folder + "/missing/out.mef: the folder " + folder +
                         "/missing does not exist; create it first (mkdir -p " + folder +
                         "/missing) or choose another folder\n");

    r = RunPellucid({"export", "mesh", scene, "-o", folder});
    EXPECT_EQ(r.exitCode, 2);
    EXPECT_EQ(r.err, "pellucid: -o " + folder +
                         ": this is a folder; give the name of a file to write in it\n");

    std::ofstream(folder + "/plain") << "x";
    r = RunPellucid({"export", "mesh", scene, "-o", folder + "/plain/out.mef"});
    EXPECT_EQ(r.exitCode, 2);
    EXPECT_EQ(r.err, "pellucid: -o " + folder + "/plain/out.mef: " + folder +
                         "/plain is a file, not a folder\n");
    EXPECT_EQ(FileCount(folder), 1u);

    if (::geteuid() != 0) {
        fs::create_directory(folder + "/locked");
        fs::permissions(folder + "/locked", fs::perms::owner_read | fs::perms::owner_exec);
        r = RunPellucid({"export", "mesh", scene, "-o", folder + "/locked/out.mef"});
        EXPECT_EQ(r.exitCode, 2);
        EXPECT_NE(r.err.find("cannot create a file in " + folder +
                             "/locked: Permission denied; choose a folder that you can write to"),
                  std::string::npos)
            << r.err;
        fs::permissions(folder + "/locked", fs::perms::owner_all);
    }
}

TEST(SafeOutputs, DashWritesTheScriptToStandardOutputAndTheSummaryToErrors) {
    const std::string folder = TemporaryFolder("output-dash");
    const CommandResult r =
        RunPellucid({"export", "mesh", kSource + "/examples/character.pscene.json", "-o", "-"});
    EXPECT_EQ(r.exitCode, 0);
    EXPECT_EQ(r.out, ReadBytes(kGolden + "character.mef"));
    EXPECT_EQ(r.err, "wrote the script to standard output (0 messages, 0 notes)\n");

    const CommandResult both = RunPellucid(
        {"export", "mesh", kSource + "/examples/character.pscene.json", "-o", "-", "--json"});
    EXPECT_EQ(both.exitCode, 2);
    EXPECT_EQ(both.out, "");
    EXPECT_EQ(both.err,
              "pellucid: --json and -o - would both write to standard output; write the script "
              "to a file\n");
}

TEST(SafeOutputs, AWriteThatFailsPartWayIsAnErrorAndLeavesNoFile) {
    const std::string folder = TemporaryFolder("output-file-limit");
    const std::string scene = kSource + "/examples/character.pscene.json";
    // One block is far less than the script: the write fails with the file half written.
    CommandResult r =
        RunPellucidAfter("ulimit -f 1", {"export", "mesh", scene, "-o", folder + "/out.mef"});
    EXPECT_EQ(r.exitCode, 2);
    EXPECT_EQ(r.out, "");
    EXPECT_EQ(r.err, "pellucid: " + folder +
                         "/out.mef: writing stopped part-way (File too large), so nothing was "
                         "written; the file is larger than this process may write (see 'ulimit "
                         "-f')\n");
    EXPECT_EQ(FileCount(folder), 0u);

    // An existing file of that name is kept as it was.
    std::ofstream(folder + "/out.mef") << "previous";
    r = RunPellucidAfter("ulimit -f 1", {"export", "mesh", scene, "-o", folder + "/out.mef"});
    EXPECT_EQ(r.exitCode, 2);
    EXPECT_EQ(ReadBytes(folder + "/out.mef"), "previous");
    EXPECT_EQ(FileCount(folder), 1u);
}

// Every command that saves a scene document gives the system's reason when its write fails.
TEST(SafeOutputs, ASavedDocumentThatFailsPartWayGivesTheReason) {
    const std::string folder = TemporaryFolder("output-document-limit");
    const std::string scene = kSource + "/examples/character.pscene.json";
    const std::string document = folder + "/frozen.pscene.json";
    const CommandResult r =
        RunPellucidAfter("ulimit -f 1", {"eval", scene, "--frame", "0", "-o", document});
    EXPECT_EQ(r.exitCode, 2);
    EXPECT_EQ(r.out, "");
    EXPECT_EQ(r.err, "pellucid: " + document +
                         ": writing stopped part-way (File too large), so nothing was written; "
                         "the file is larger than this process may write (see 'ulimit -f')\n");
    EXPECT_EQ(FileCount(folder), 0u);
}

TEST(CommandLine, VersionPrintsTheProgramAndItsVersion) {
    const CommandResult r = RunPellucid({"--version"});
    EXPECT_EQ(r.exitCode, 0);
    ASSERT_EQ(r.out.rfind("pellucid ", 0), 0u) << r.out;
    const std::string version = r.out.substr(9);
    EXPECT_EQ(std::count(version.begin(), version.end(), '.'), 2) << version;
    EXPECT_EQ(version.back(), '\n');
    EXPECT_EQ(r.err, "");
}

}  // namespace
}  // namespace pellucid::test
