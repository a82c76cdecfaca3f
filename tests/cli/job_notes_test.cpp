// Notes beside the library's output: what each message box refers to, and what the library drops
// without a word; they count for --strict and never change the script.
#include <gtest/gtest.h>

#include "cli/run_pellucid.h"
#include "support/script_files.h"

namespace pellucid::test {
namespace {

// A crate whose texture has no image, and a dummy named as an attachment.
const char kSilentDrops[] = R"({"pellucidScene": 1,
 "maps": [{"id": "m", "type": "bitmap", "file": "P:\\tex\\wood.tga", "image": "gone.png"}],
 "materials": [{"id": "wood", "type": "standard", "name": "wood_M",
                "maps": [{"slot": "Diffuse Color", "map": "m"}]}],
 "nodes": [{"name": "Crate", "material": "wood",
            "object": {"type": "box", "length": 1, "width": 1, "height": 1}},
           {"name": "ATTACH01_Sword", "object": {"type": "dummy"}}]})";

const char kAttachNote[] =
    "\"ATTACH01_Sword\" is a dummy, not geometry: the mesh export skips it (only geometry named "
    "ATTACH.. becomes an attached object there), while the bone export still takes it";
const char kImageNote[] =
    "material 0 \"wood_M\", Diffuse slot: texture P:\\tex\\wood.tga is left out of the script "
    "without a message: its image gone.png cannot be read";

// The text as a JSON string's contents.
std::string Escaped(const std::string& text) {
    std::string escaped;
    for (char c : text) {
        if (c == '"' || c == '\\') {
            escaped.push_back('\\');
        }
        escaped.push_back(c);
    }
    return escaped;
}

TEST(ExportNotes, WhatTheLibraryDropsSilentlyIsNotedAndCountsForStrict) {
    const std::string folder = TemporaryFolder("notes-silent");
    const std::string scene = WriteScene(folder, kSilentDrops);
    CommandResult r = RunPellucid({"export", "mesh", scene, "-o", folder + "/out.mef"});
    EXPECT_EQ(r.exitCode, 0);
    EXPECT_EQ(r.out, "wrote " + folder + "/out.mef (0 messages, 2 notes)\n");
    EXPECT_EQ(r.err, "note: " + std::string(kAttachNote) + "\nnote: " + kImageNote + "\n");
    const std::string script = ReadBytes(folder + "/out.mef");
    EXPECT_EQ(script.find("wood.tga"), std::string::npos);

    r = RunPellucid({"export", "mesh", scene, "-o", folder + "/strict.mef", "--strict"});
    EXPECT_EQ(r.exitCode, 1);
    EXPECT_EQ(ReadBytes(folder + "/strict.mef"), script);

    r = RunPellucid({"export", "mesh", scene, "-o", folder + "/json.mef", "--json"});
    EXPECT_EQ(r.exitCode, 0);
    EXPECT_EQ(r.out, R"({
  "scene": ")" + scene + R"(",
  "format": "MEF",
  "output": ")" + folder +
                         R"(/json.mef",
  "messages": [],
  "notes": [
    {
      "kind": "attach-not-geometry",
      "text": ")" + Escaped(kAttachNote) +
                         R"("
    },
    {
      "kind": "missing-image",
      "text": ")" + Escaped(kImageNote) +
                         R"("
    }
  ]
}
)");
}

TEST(ExportNotes, EachMessageBoxIsFollowedByWhatItRefersTo) {
    const std::string folder = TemporaryFolder("notes-messages");
    const std::string scene = WriteScene(folder, R"({"pellucidScene": 1, "nodes": [
        {"name": "A", "object": {"type": "box", "length": 1, "width": 1, "height": 1}},
        {"name": "B", "object": {"type": "box", "length": 1, "width": 1, "height": 1}},
        {"name": "C", "object": {"type": "box", "length": 1, "width": 1, "height": 1}}]})");
    const CommandResult r = RunPellucid({"export", "mesh", scene, "-o", folder + "/out.mef"});
    EXPECT_EQ(r.exitCode, 0);
    EXPECT_EQ(r.err,
              "Warning: More than one object in scene.\n"
              "note: \"B\" (box) is not written: only the main object \"A\", the first visible "
              "geometry in the scene's order, is; hide \"B\", or give it a marker name if it is "
              "one\n"
              "Warning: More than one object in scene.\n"
              "note: \"C\" (box) is not written: only the main object \"A\", the first visible "
              "geometry in the scene's order, is; hide \"C\", or give it a marker name if it is "
              "one\n");
}

TEST(ExportNotes, AnEmptySceneSaysThatTheScriptHoldsNoObject) {
    const std::string folder = TemporaryFolder("notes-empty");
    const std::string scene = WriteScene(folder, R"({"pellucidScene": 1, "nodes": []})");
    const CommandResult r =
        RunPellucid({"export", "mesh", scene, "-o", folder + "/out.mef", "--strict"});
    EXPECT_EQ(r.exitCode, 1);
    EXPECT_EQ(r.err,
              "note: the scene has no visible geometry outside the marker names (MAGIC, GLOW, "
              "ATTACH, TRIGGER), so the mesh script holds no object\n");
}

}  // namespace
}  // namespace pellucid::test
