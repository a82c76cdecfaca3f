// The convert command and assets given to the other commands, as a user runs them.
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>

#include "cli/run_pellucid.h"
#include "support/script_files.h"

namespace pellucid::test {
namespace {

const std::string kSource = PELLUCID_SOURCE_DIR;
const std::string kCharacter = kSource + "/examples/character.gltf";
const std::string kGolden = std::string(PELLUCID_TEST_DATA) + "/golden/cli/";
const std::string kModels = "/usr/share/assimp/models";

int FilesIn(const std::string& folder) {
    return static_cast<int>(std::distance(std::filesystem::directory_iterator(folder), {}));
}

TEST(ConvertCommand, SavesADocumentThatExportsAsTheAssetDoes) {
    // The asset in a folder below the document's, so that the document may read its texture.
    const std::string folder = TemporaryFolder("convert-character");
    const std::string document = folder + "/character.pscene.json";
    const std::string asset = folder + "/asset/character.gltf";
    std::filesystem::create_directories(folder + "/asset");
    for (const char* file : {"character.gltf", "character.bin", "textures"}) {
        std::filesystem::copy(kSource + "/examples/" + file, folder + "/asset/" + file,
                              std::filesystem::copy_options::recursive);
    }
    CommandResult r = RunPellucid({"convert", asset, "-o", document});
    ASSERT_EQ(r.exitCode, 0) << r.err;
    EXPECT_EQ(r.out, "wrote " + document + "\n");
    // The document's folder holds the asset's: its image is read back without a switch.
    EXPECT_EQ(r.err.find("outside"), std::string::npos) << r.err;
    EXPECT_NE(r.err.find("note: " + asset +
                         ": converted: 4 nodes, 1 mesh (50 vertices, 96 "
                         "faces), 3 materials, 1 bitmap, 3 bones, 1 skin, 1 morph channel\n"),
              std::string::npos)
        << r.err;
    EXPECT_NE(r.err.find("moved under its skeleton's root bone \"Root\""), std::string::npos);

    // The asset itself, and the saved document (its image path now relative to its own folder),
    // export the same script: the golden one.
    const std::string fromAsset = folder + "/asset.mef";
    const std::string fromDocument = folder + "/document.mef";
    r = RunPellucid({"export", "mesh", asset, "-o", fromAsset});
    EXPECT_EQ(r.exitCode, 0) << r.err;
    EXPECT_NE(r.err.find("Warning: Texture not on drive P.\n"), std::string::npos);
    r = RunPellucid({"export", "mesh", document, "-o", fromDocument});
    EXPECT_EQ(r.exitCode, 0) << r.err;
    EXPECT_EQ(ReadBytes(fromAsset), ReadBytes(kGolden + "character-gltf.mef"));
    EXPECT_EQ(ReadBytes(fromDocument), ReadBytes(fromAsset));
}

TEST(ConvertCommand, ReportsAsJsonWithStableFieldNames) {
    const std::string folder = TemporaryFolder("convert-json");
    const CommandResult r = RunPellucid(
        {"convert", kCharacter, "-o", folder + "/c.pscene.json", "--json", "--animation", "Idle"});
    ASSERT_EQ(r.exitCode, 0) << r.err;
    EXPECT_EQ(r.err, "");
    for (const char* field : {"\"input\": ", "\"output\": ", "\"format\": ",
                              "\"animation\": \"Idle\"", "\"turnedZUp\": true", "\"bones\": 3",
                              "\"rotationKeys\": ", "\"notes\": ", "\"kind\": \"changed\""}) {
        EXPECT_NE(r.out.find(field), std::string::npos) << field << " in " << r.out;
    }
}

TEST(ConvertCommand, RefusesBadInputWithOneLineAndLeavesNothing) {
    const std::string folder = TemporaryFolder("convert-bad");
    const std::string broken = folder + "/broken.gltf";
    std::ofstream(broken) << "{\"asset\": {\"version\": \"2.0\"}, \"nodes\": [{\"mesh\": 3}]}";
    struct Case {
        std::vector<std::string> args;
        std::string message;
    };
    const std::vector<Case> cases = {
        {{"convert", broken, "-o", folder + "/out.pscene.json"}, broken + ": cannot be read: "},
        {{"convert", kCharacter, "-o", folder + "/out.pscene.json", "--animation", "Run"},
         kCharacter + ": has no animation \"Run\"; its animations are \"Walk\", \"Idle\""},
        {{"convert", broken, "-o", broken},
         "-o " + broken + ": this file is read by the command and would be overwritten"},
        {{"convert", kCharacter, "-o", folder + "/missing/out.pscene.json"},
         "-o " + folder + "/missing/out.pscene.json: the folder " + folder +
             "/missing does not exist; create it first"},
        {{"convert", kCharacter, "-o", "-", "--json"},
         "--json and -o - would both write to standard output; write the document to a file"},
        {{"info", broken}, broken + ": cannot be read: "},
    };
    for (const Case& c : cases) {
        const CommandResult r = RunPellucid(c.args);
        EXPECT_EQ(r.exitCode, 2) << r.err;
        EXPECT_EQ(r.err.rfind("pellucid: " + c.message, 0), 0u) << r.err;
        EXPECT_EQ(r.err.find('\n'), r.err.size() - 1) << r.err;
        EXPECT_EQ(FilesIn(folder), 1) << r.err;
    }
}

// The character's texture lies beside the asset, outside the folder of a document saved
// elsewhere: the note says so and what to do, and the document needs the switch to be read.
TEST(ConvertCommand, NotesAnImageOutsideTheDocumentsFolder) {
    const std::string folder = TemporaryFolder("convert-outside");
    const std::string document = folder + "/c.pscene.json";
    CommandResult r = RunPellucid({"convert", kCharacter, "-o", document});
    ASSERT_EQ(r.exitCode, 0) << r.err;
    const std::string note =
        document + ": names the image " + kSource +
        "/examples/textures/character.png outside the document's folder, so the document is "
        "read back only with --allow-outside-files; to avoid that, save the document beside the "
        "asset (in " +
        kSource + "/examples)";
    EXPECT_NE(r.err.find("\nnote: " + note + "\n"), std::string::npos) << r.err;

    r = RunPellucid({"info", document});
    EXPECT_EQ(r.exitCode, 2);
    EXPECT_NE(r.err.find("--allow-outside-files"), std::string::npos) << r.err;
    r = RunPellucid({"info", document, "--allow-outside-files"});
    EXPECT_EQ(r.exitCode, 0) << r.err;

    // The JSON report carries the same note.
    r = RunPellucid({"convert", kCharacter, "-o", document, "--json"});
    ASSERT_EQ(r.exitCode, 0) << r.err;
    EXPECT_NE(r.out.find("\"kind\": \"image-outside-folder\",\n      \"text\": \"" + note + "\""),
              std::string::npos)
        << r.out;
}

// "-o -" prints the document that a file beside the asset would hold; nothing else goes there.
TEST(ConvertCommand, WritesTheDocumentToStandardOutput) {
    const std::string folder = TemporaryFolder("convert-stdout");
    for (const char* file : {"character.gltf", "character.bin", "textures"}) {
        std::filesystem::copy(kSource + "/examples/" + file, folder + "/" + file,
                              std::filesystem::copy_options::recursive);
    }
    const std::string asset = folder + "/character.gltf";
    const CommandResult toFile = RunPellucid({"convert", asset, "-o", folder + "/c.pscene.json"});
    ASSERT_EQ(toFile.exitCode, 0) << toFile.err;
    const CommandResult r = RunPellucid({"convert", asset, "-o", "-"});
    ASSERT_EQ(r.exitCode, 0) << r.err;
    EXPECT_EQ(r.out, ReadBytes(folder + "/c.pscene.json"));
    EXPECT_NE(r.err.find("\nwrote standard output\n"), std::string::npos) << r.err;
    EXPECT_EQ(r.err.find("outside"), std::string::npos) << r.err;
}

// A write that fails part-way is an error that leaves nothing, not even the previous file's
// replacement.
TEST(ConvertCommand, AWriteFailingPartWayLeavesNothing) {
    const std::string folder = TemporaryFolder("convert-ulimit");
    const std::string document = folder + "/c.pscene.json";
    CommandResult r = RunPellucidAfter("ulimit -f 1", {"convert", kCharacter, "-o", document});
    EXPECT_EQ(r.exitCode, 2);
    EXPECT_EQ(r.out, "");
    EXPECT_EQ(r.err, "pellucid: " + document +
                         ": writing stopped part-way (File too large), so nothing was written; "
                         "the file is larger than this process may write (see 'ulimit -f')\n");
    EXPECT_EQ(FilesIn(folder), 0);
}

TEST(ConvertCommand, WritesEmbeddedImagesBesideTheDocument) {
    const std::string asset = kModels + "/glTF2/BoxTextured-glTF-Embedded/BoxTextured.gltf";
    if (!std::filesystem::exists(asset)) {
        GTEST_SKIP() << "assimp-testmodels is not installed (scripts/install-deps installs it)";
    }
    const std::string folder = TemporaryFolder("convert-embedded");
    const CommandResult r = RunPellucid({"convert", asset, "-o", folder + "/box.pscene.json"});
    ASSERT_EQ(r.exitCode, 0) << r.err;
    EXPECT_EQ(FilesIn(folder), 2);
    const std::string json = ReadBytes(folder + "/box.pscene.json");
    const std::size_t image = json.find("\"image\": \"box.embedded0_");
    ASSERT_NE(image, std::string::npos) << json;
    const std::string name = json.substr(image + 10, json.find('"', image + 10) - image - 10);
    EXPECT_TRUE(std::filesystem::exists(folder + "/" + name)) << name;

    // The document loads its image back: the export writes the texture line.
    const CommandResult exported =
        RunPellucid({"export", "mesh", folder + "/box.pscene.json", "-o", folder + "/box.mef"});
    EXPECT_EQ(exported.exitCode, 0) << exported.err;
    EXPECT_NE(ReadBytes(folder + "/box.mef").find("DiffuseTMap(0,"), std::string::npos);

    // On standard output the images would have no place: refused before anything is written.
    const CommandResult piped = RunPellucid({"convert", asset, "-o", "-"});
    EXPECT_EQ(piped.exitCode, 2);
    EXPECT_EQ(piped.out, "");
    EXPECT_EQ(piped.err, "pellucid: -o -: " + asset +
                             " embeds 1 image: embedded images are written as files beside the "
                             "document; give -o the document's file name\n");
}

}  // namespace
}  // namespace pellucid::test
