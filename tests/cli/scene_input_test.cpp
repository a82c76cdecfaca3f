// What the command line does with a scene document a user wrote by hand: a byte-order mark, a
// misspelt field or name, an unknown map slot, and files named outside the document's folder.
#include <gtest/gtest.h>

#include <filesystem>

#include "cli/run_pellucid.h"

namespace pellucid::test {
namespace {

namespace fs = std::filesystem;

const std::string kSource = PELLUCID_SOURCE_DIR;

const char kBox[] = R"("object": {"type": "box", "length": 1, "width": 1, "height": 1})";

TEST(SceneInput, ADocumentWithAByteOrderMarkIsRead) {
    const std::string folder = TemporaryFolder("input-bom");
    const std::string scene =
        WriteScene(folder, "\xEF\xBB\xBF{\"pellucidScene\": 1, \"nodes\": [{\"name\": \"A\", " +
                               std::string(kBox) + "}]}");
    const CommandResult r = RunPellucid({"export", "mesh", scene, "-o", folder + "/out.mef"});
    EXPECT_EQ(r.exitCode, 0) << r.err;
    EXPECT_EQ(r.err, "");
}

TEST(SceneInput, MisspeltNamesAndSlotsAreRefusedWithTheNearestOne) {
    const std::string folder = TemporaryFolder("input-guidance");
    struct Case {
        std::string json;
        std::string message;
    };
    const Case cases[] = {
        {R"({"pellucidScene": 1, "nodes": [{"name": "A", "hiden": true}]})",
         "/nodes/0/hiden: unknown field \"hiden\" (did you mean \"hidden\"?)"},
        {R"({"pellucidScene": 1, "materials": [{"id": "wood", "type": "standard"}],
             "nodes": [{"name": "A", "material": "wod"}]})",
         "/nodes/0/material: unknown material id \"wod\" (did you mean \"wood\"?)"},
        {R"({"pellucidScene": 1, "materials": [{"id": "wood", "type": "standard",
             "maps": [{"slot": "Normal", "map": null}]}]})",
         "/materials/0/maps/0/slot: unknown map slot \"Normal\"; expected one of \"Ambient "
         "Color\", "
         "\"Diffuse Color\""},
    };
    for (const Case& c : cases) {
        const std::string scene = WriteScene(folder, c.json);
        const CommandResult r = RunPellucid({"info", scene});
        EXPECT_EQ(r.exitCode, 2) << c.json;
        EXPECT_EQ(r.out, "");
        EXPECT_NE(r.err.find(scene + ": " + c.message), std::string::npos) << r.err;
    }
}

TEST(SceneInput, FilesOutsideTheDocumentsFolderNeedTheAllowOption) {
    const std::string root = TemporaryFolder("input-outside");
    fs::create_directory(root + "/scene");
    fs::copy_file(kSource + "/examples/textures/character.png", root + "/outside.png");
    const std::string scene = WriteScene(root + "/scene", R"({"pellucidScene": 1,
        "maps": [{"id": "m", "type": "bitmap", "file": "P:\\wood.tga", "image": "../outside.png"}],
        "materials": [{"id": "wood", "type": "standard", "maps": [{"slot": "Diffuse Color", "map": "m"}]}],
        "nodes": [{"name": "A", "material": "wood", )" + std::string(kBox) +
                                                              "}]}");
    for (const char* command : {"info", "validate"}) {
        const CommandResult r = RunPellucid({command, scene});
        EXPECT_EQ(r.exitCode, 2) << command;
        EXPECT_NE(r.err.find("\"../outside.png\" climbs out of the document's folder"),
                  std::string::npos)
            << r.err;
        EXPECT_NE(r.err.find("or pass --allow-outside-files\n"), std::string::npos) << r.err;
    }
    const CommandResult r = RunPellucid({"info", scene, "--allow-outside-files"});
    EXPECT_EQ(r.exitCode, 0) << r.err;
    EXPECT_NE(r.out.find("64 x 64 pixels, image ../outside.png"), std::string::npos) << r.out;
}

}  // namespace
}  // namespace pellucid::test
