// What info and validate report about a scene: counts, roles and why, collision boxes, and the
// golden validate report of the example character.
#include <gtest/gtest.h>

#include <fstream>

#include "cli/run_pellucid.h"
#include "support/script_files.h"

namespace pellucid::test {
namespace {

const std::string kSource = PELLUCID_SOURCE_DIR;
const std::string kGolden = std::string(PELLUCID_TEST_DATA) + "/golden/cli/";

// A crate with a visible and a hidden collision box, a box hung elsewhere, and one trigger.
const char kCrate[] = R"({"pellucidScene": 1, "nodes": [
 {"name": "Crate", "object": {"type": "box", "length": 1, "width": 1, "height": 1}, "children": [
   {"name": "Box01", "object": {"type": "CollBox", "length": 1, "width": 1, "height": 1}},
   {"name": "Box02", "hidden": true,
    "object": {"type": "CollBox", "length": 1, "width": 1, "height": 1}}]},
 {"name": "Stray", "hidden": true,
  "object": {"type": "CollBox", "length": 1, "width": 1, "height": 1}},
 {"name": "TRIGGER0001", "hidden": true, "object": {"type": "sphere", "radius": 1}}]})";

TEST(InfoCommand, CollisionBoxesAreLabelledAsWrittenWithCountsAndOneTrigger) {
    const std::string folder = TemporaryFolder("info-collision");
    const CommandResult r = RunPellucid({"info", WriteScene(folder, kCrate)});
    EXPECT_EQ(r.exitCode, 0) << r.err;
    EXPECT_EQ(r.out,
              "Scene Root\n"
              "  Crate  [box]  8 vertices, 12 faces  material: none  mesh export: main object\n"
              "    Box01  [CollBox]  8 vertices, 12 faces  material: none  mesh export: collision "
              "box of \"Crate\", and an extra object (warned)\n"
              "    Box02  [CollBox]  8 vertices, 12 faces  material: none  mesh export: collision "
              "box of \"Crate\"\n"
              "  Stray  [CollBox]  8 vertices, 12 faces  material: none  mesh export: hidden (not "
              "written)\n"
              "  TRIGGER0001  [sphere]  114 vertices, 224 faces  material: none  mesh export: "
              "trigger (not written by the mesh export)  bone export: trigger 1\n"
              "0 bones, 1 trigger\n"
              "object \"Crate\": 8 vertices, 12 faces, 1 material, 0 textures\n"
              "  material 0: none (faces without a material)\n");
}

TEST(ExportMeshCommand, TheVisibleCollisionBoxIsWrittenAndItsWarningExplained) {
    const std::string folder = TemporaryFolder("export-collision");
    const CommandResult r =
        RunPellucid({"export", "mesh", WriteScene(folder, kCrate), "-o", folder + "/out.mef"});
    EXPECT_EQ(r.exitCode, 0);
    EXPECT_EQ(r.err,
              "Warning: More than one object in scene.\n"
              "note: \"Box01\" is a visible collision box, so it also counts as an object after "
              "the main object \"Crate\"; hide it (hidden boxes are still written as collision "
              "boxes)\n"
              "note: collision box \"Stray\" is not written: boxes must hang directly under the "
              "main object \"Crate\" (zones under a box)\n");
    const std::string script = ReadBytes(folder + "/out.mef");
    size_t boxes = 0;
    for (size_t at = script.find("CollBox("); at != std::string::npos;
         at = script.find("CollBox(", at + 1)) {
        ++boxes;
    }
    EXPECT_EQ(boxes, 2u);
}

TEST(ValidateCommand, ExampleCharacterReportIsTheGoldenJson) {
    const CommandResult r = RunPellucidAfter("cd '" + kSource + "/examples'",
                                             {"validate", "character.pscene.json", "--json"});
    EXPECT_EQ(r.exitCode, 0) << r.err;
    EXPECT_EQ(r.out, ReadBytes(kGolden + "character-validate.json"));
    EXPECT_EQ(r.err, "");
}

TEST(ValidateCommand, AMessageBoxAnExportWouldShowExitsOneAndNamesItsSubject) {
    const std::string folder = TemporaryFolder("validate-extra");
    const std::string scene = WriteScene(folder, R"({"pellucidScene": 1, "nodes": [
        {"name": "A", "object": {"type": "box", "length": 1, "width": 1, "height": 1}},
        {"name": "B", "object": {"type": "box", "length": 1, "width": 1, "height": 1}}]})");
    const CommandResult r = RunPellucid({"validate", scene});
    EXPECT_EQ(r.exitCode, 1);
    EXPECT_NE(r.out.find("mesh export (MEF): 1 message box\n"
                         "  Warning: More than one object in scene.\n"
                         "    note: \"B\" (box) is not written"),
              std::string::npos)
        << r.out;
    EXPECT_NE(r.out.find("an export would show 1 message box\n"), std::string::npos);
    EXPECT_FALSE(std::ifstream(folder + "/scene.mef").good());
}

// The report's roles as codes with their numbers and nodes, beside the words of the text report.
TEST(ValidateCommand, JsonRolesAreCodesWithTheNodesTheyReferTo) {
    const std::string folder = TemporaryFolder("validate-roles");
    const CommandResult r = RunPellucid({"validate", WriteScene(folder, kCrate), "--json"});
    EXPECT_EQ(r.exitCode, 1) << r.err;
    for (const std::string& role : {
             std::string(R"j("meshExport": {
        "role": "main-object",
        "text": "main object",
        "why": "the first visible geometry in the scene's order",
        "warned": false
      })j"),
             std::string(R"j("meshExport": {
        "role": "collision-box",
        "text": "collision box of \"Crate\", and an extra object (warned)",
        "why": "a visible collision box also counts as an object: hide it",
        "warned": true,
        "object": "Crate",
        "mainObject": "Crate"
      })j"),
             std::string(R"j("meshExport": {
        "role": "collision-box",
        "text": "collision box of \"Crate\"",
        "why": "a CollBox helper under the main object (zones under a box)",
        "warned": false,
        "object": "Crate"
      })j"),
             std::string(R"j("boneExport": {
        "role": "trigger",
        "text": "trigger 1",
        "why": "a sphere whose name begins with TRIGGER; its time is the first tick at which it is visible",
        "warned": false,
        "number": 1
      })j"),
         }) {
        EXPECT_NE(r.out.find(role), std::string::npos) << role << "\nin\n" << r.out;
    }
    EXPECT_NE(r.out.find("\"material\": null,"), std::string::npos);
}

// A note that concerns both exports is said once, after them; each export keeps its own.
TEST(ValidateCommand, ANoteOfBothExportsIsSaidOnce) {
    const std::string folder = TemporaryFolder("validate-common");
    const std::string scene = WriteScene(folder, R"({"pellucidScene": 1, "nodes": [
        {"name": "Crate", "object": {"type": "box", "length": 1, "width": 1, "height": 1}},
        {"name": "TRIGGER0002", "object": {"type": "box", "length": 1, "width": 1, "height": 1}}]})");
    const std::string trigger =
        "\"TRIGGER0002\" is named TRIGGER.. but is a box, not a sphere: no export uses it as a "
        "trigger";
    CommandResult r = RunPellucid({"validate", scene});
    EXPECT_EQ(r.exitCode, 0) << r.err;
    const std::string tail =
        "mesh export (MEF): no message box\n"
        "bone export (BEF): no message box\n"
        "  note: the scene has no bone helpers, so the bone script is left "
        "empty\n"
        "both exports:\n"
        "  note: " +
        trigger +
        "\n"
        "no export shows a message box\n";
    ASSERT_GE(r.out.size(), tail.size());
    EXPECT_EQ(r.out.substr(r.out.size() - tail.size()), tail) << r.out;

    // Notes count for --strict once each.
    r = RunPellucid({"validate", scene, "--strict"});
    EXPECT_EQ(r.exitCode, 1);

    r = RunPellucid({"validate", scene, "--json"});
    EXPECT_EQ(r.exitCode, 0) << r.err;
    const std::string json = R"j(  "exports": [
    {
      "format": "MEF",
      "messages": [],
      "notes": []
    },
    {
      "format": "BEF",
      "messages": [],
      "notes": [
        {
          "kind": "no-bones",
          "text": "the scene has no bone helpers, so the bone script is left empty"
        }
      ]
    }
  ],
  "commonNotes": [
    {
      "kind": "trigger-not-sphere",
      "text": "\"TRIGGER0002\" is named TRIGGER.. but is a box, not a sphere: no export uses it as a trigger"
    }
  ]
}
)j";
    ASSERT_GE(r.out.size(), json.size());
    EXPECT_EQ(r.out.substr(r.out.size() - json.size()), json) << r.out;
}

TEST(SceneOptions, MapDriveTakesOneValuePerUse) {
    const std::string folder = TemporaryFolder("map-drive-once");
    const CommandResult r =
        RunPellucid({"export", "mesh", "--map-drive", "e=" + folder, "--map-drive", "f=" + folder,
                     kSource + "/examples/character.pscene.json", "-o", folder + "/out.mef"});
    EXPECT_EQ(r.exitCode, 0) << r.err;
    EXPECT_EQ(r.out, "wrote " + folder + "/out.mef (0 messages, 0 notes)\n");
}

}  // namespace
}  // namespace pellucid::test
