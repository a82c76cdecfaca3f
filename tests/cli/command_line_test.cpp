#include <gtest/gtest.h>

#include <filesystem>

#include "cli/run_pellucid.h"
#include "support/script_files.h"

namespace pellucid::test {
namespace {

const std::string kSource = PELLUCID_SOURCE_DIR;
const std::string kExample = kSource + "/examples/character.pscene.json";
const std::string kGolden = std::string(PELLUCID_TEST_DATA) + "/golden/cli/";

int LineCount(const std::string& text) {
    int lines = 0;
    for (char c : text) {
        lines += c == '\n' ? 1 : 0;
    }
    return lines;
}

TEST(ClassesCommand, ListsTheFifteenRegisteredClassesInRegistryOrder) {
    const CommandResult r = RunPellucid({"classes"});
    EXPECT_EQ(r.exitCode, 0);
    EXPECT_EQ(r.out, ReadBytes(kGolden + "classes.txt"));
    EXPECT_EQ(r.err, "");
}

TEST(CommandLine, HelpOnEveryCommandExitsZero) {
    for (const auto& args : std::vector<std::vector<std::string>>{
             {"--help"}, {"classes", "--help"}, {"info", "--help"}, {"export", "mesh", "--help"}}) {
        const CommandResult r = RunPellucid(args);
        EXPECT_EQ(r.exitCode, 0) << args.front();
        EXPECT_NE(r.out.find("Usage"), std::string::npos) << r.out;
    }
}

TEST(CommandLine, BadArgumentsExitTwoWithOneMessage) {
    for (const auto& args :
         std::vector<std::vector<std::string>>{{},
                                               {"frobnicate"},
                                               {"info"},
                                               {"info", "/no/such/scene.pscene.json"},
                                               {"export", "mesh", kExample},
                                               {"info", kExample, "--map-drive", "dd"}}) {
        const CommandResult r = RunPellucid(args);
        EXPECT_EQ(r.exitCode, 2) << r.err;
        EXPECT_EQ(r.err.rfind("pellucid: ", 0), 0u) << r.err;
    }
}

TEST(InfoCommand, ShowsTreeClassificationAndBones) {
    const CommandResult r = RunPellucid({"info", kExample});
    EXPECT_EQ(r.exitCode, 0) << r.err;
    EXPECT_EQ(r.out, ReadBytes(kGolden + "character-info.txt"));
}

TEST(InfoCommand, MarksTheSecondMeshAsAnExtraObject) {
    const std::string folder = TemporaryFolder("info-extra");
    const std::string scene = WriteScene(folder, R"({"pellucidScene": 1, "nodes": [
        {"name": "A", "object": {"type": "box", "length": 1, "width": 1, "height": 1}},
        {"name": "B", "object": {"type": "box", "length": 1, "width": 1, "height": 1}},
        {"name": "TRIGGER0001", "object": {"type": "sphere", "radius": 1}},
        {"name": "Hidden", "hidden": true, "object": {"type": "sphere", "radius": 1}}]})");
    const CommandResult r = RunPellucid({"info", scene});
    ASSERT_EQ(r.exitCode, 0) << r.err;
    EXPECT_NE(
        r.out.find("A  [box]  8 vertices, 12 faces  material: none  mesh export: main object"),
        std::string::npos)
        << r.out;
    EXPECT_NE(
        r.out.find("B  [box]  8 vertices, 12 faces  material: none  mesh export: extra object"),
        std::string::npos);
    EXPECT_NE(r.out.find("TRIGGER0001  [sphere]  114 vertices, 224 faces  material: none  mesh "
                         "export: trigger"),
              std::string::npos);
    EXPECT_NE(r.out.find("Hidden  [sphere]  114 vertices, 224 faces  material: none  mesh export: "
                         "hidden"),
              std::string::npos);
    EXPECT_NE(r.out.find("0 bones, 1 trigger\n"), std::string::npos);
}

TEST(ExportMeshCommand, WritesTheExampleCharacterAsTheGoldenScript) {
    const std::string folder = TemporaryFolder("export-example");
    const std::string output = folder + "/character.mef";
    const CommandResult r = RunPellucid({"export", "mesh", kExample, "-o", output});
    EXPECT_EQ(r.exitCode, 0) << r.err;
    EXPECT_EQ(r.err, "");
    EXPECT_EQ(ReadBytes(output), ReadBytes(kGolden + "character.mef"));
    // Nothing but the script is left in the folder.
    EXPECT_EQ(std::distance(std::filesystem::directory_iterator(folder), {}), 1);
}

TEST(ExportMeshCommand, PrintsMessageBoxesAndStrictTurnsThemIntoExitCodeOne) {
    const std::string folder = TemporaryFolder("export-strict");
    const std::string scene = WriteScene(folder, R"({"pellucidScene": 1, "nodes": [
        {"name": "A", "object": {"type": "box", "length": 1, "width": 1, "height": 1}},
        {"name": "B", "object": {"type": "box", "length": 1, "width": 1, "height": 1}}]})");
    const std::string output = folder + "/out.mef";

    CommandResult r = RunPellucid({"export", "mesh", scene, "-o", output});
    EXPECT_EQ(r.exitCode, 0);
    EXPECT_EQ(r.err,
              "Warning: More than one object in scene.\n"
              "note: \"B\" (box) is not written: only the main object \"A\", the first visible "
              "geometry in the scene's order, is; hide \"B\", or give it a marker name if it is "
              "one\n");
    EXPECT_TRUE(std::filesystem::exists(output));

    std::filesystem::remove(output);
    r = RunPellucid({"export", "mesh", scene, "-o", output, "--strict"});
    EXPECT_EQ(r.exitCode, 1);
    EXPECT_TRUE(std::filesystem::exists(output));
}

TEST(ExportMeshCommand, UnwritableOutputExitsTwoAndLeavesNothing) {
    const std::string folder = TemporaryFolder("export-unwritable");
    const CommandResult r =
        RunPellucid({"export", "mesh", kExample, "-o", folder + "/missing/out.mef"});
    EXPECT_EQ(r.exitCode, 2);
    EXPECT_NE(r.err.find("missing does not exist; create it first"), std::string::npos) << r.err;
    EXPECT_EQ(LineCount(r.err), 1);
    EXPECT_FALSE(std::filesystem::exists(folder + "/missing"));
}

TEST(ExportMeshCommand, BadDocumentsExitTwoWithOneLineAndNoOutputFile) {
    const std::string folder = TemporaryFolder("export-bad");
    const std::string output = folder + "/out.mef";
    const std::vector<std::pair<std::string, std::string>> cases = {
        {R"({"pellucidScene": 1, "nodes": [)", ""},
        {R"({"pellucidScene": 1, "nodes": [{"name": 5}]})", "/nodes/0/name"},
        {R"({"pellucidScene": 1, "nodes": [{"name": "A", "colour": 1}]})", "/nodes/0"},
        {R"({"pellucidScene": 1, "nodes": [{"name": "A", "material": "nope"}]})",
         "/nodes/0/material"},
        {R"({"pellucidScene": 1, "nodes": [{"name": "A", "object": {"type": "mesh",
            "vertices": [[0,0,0]], "faces": [[0, 0, 1]]}}]})",
         "/nodes/0/object/faces/0"},
    };
    for (const auto& [json, pointer] : cases) {
        const std::string scene = WriteScene(folder, json);
        const CommandResult r = RunPellucid({"export", "mesh", scene, "-o", output});
        EXPECT_EQ(r.exitCode, 2) << json;
        EXPECT_EQ(LineCount(r.err), 1) << r.err;
        EXPECT_NE(r.err.find(pointer), std::string::npos) << r.err;
        EXPECT_FALSE(std::filesystem::exists(output));
    }
}

TEST(ExportMeshCommand, MappedDriveReceivesTheDebugTraceLog) {
    const std::string folder = TemporaryFolder("export-trace");
    std::filesystem::create_directories(folder + "/project/pellucid/test");
    const CommandResult r = RunPellucid(
        {"export", "mesh", kExample, "-o", folder + "/out.mef", "--map-drive", "d=" + folder});
    ASSERT_EQ(r.exitCode, 0) << r.err;
    const std::string trace = ReadBytes(folder + "/project/pellucid/test/debug.txt");
    EXPECT_EQ(trace.rfind("EnumMesh_t\r\ncallback\r\n", 0), 0u) << trace.substr(0, 200);
    EXPECT_NE(trace.find("OutputMeshNormals\r\n"), std::string::npos);
}

}  // namespace
}  // namespace pellucid::test
