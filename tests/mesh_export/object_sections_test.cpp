// The sections after the texture coordinates: morph targets, collision boxes and zones, and the
// marker lines (glow points, magic vertices, attached objects).
#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <string>

#include "mesh_test_support.h"

namespace {

using testing::ElementsAre;

const char* const kTriangle =
    R"({"type": "mesh", "vertices": [[0,0,0],[1,0,0],[0,1,0]], "faces": [[0,1,2]]})";

std::string CollBox(float width, float length, float height) {
    return R"({"type": "CollBox", "width": )" + std::to_string(width) + R"(, "length": )" +
           std::to_string(length) + R"(, "height": )" + std::to_string(height) +
           R"(, "widthSegments": 1, "lengthSegments": 1, "heightSegments": 1, "mapping": false})";
}

TEST(MeshCollisionVolumes, BoxesAndZonesUnderTheObject) {
    const std::string json = R"({"pellucidScene": 1, "nodes": [{"name": "Body", "object": )" +
                             std::string(kTriangle) + R"(, "children": [
        {"name": "Box", "object": )" +
                             CollBox(2, 4, 6) + R"(,
         "transform": {"position": [10,0,0]}, "children": [
            {"name": "zone07", "object": )" +
                             CollBox(1, 1, 1) + R"(,
             "transform": {"position": [0,0,1]}},
            {"name": "zoneA7", "object": )" +
                             CollBox(1, 1, 1) + R"(},
            {"name": "zone7b", "object": )" +
                             CollBox(1, 1, 1) + R"(,
             "children": [{"name": "zone99", "object": )" +
                             CollBox(1, 1, 1) + R"(}]}]},
        {"name": "Turned", "object": )" +
                             CollBox(2, 4, 6) + R"(,
         "transform": {"matrix": [[0,2,0],[-2,0,0],[0,0,2],[10,0,0]]}},
        {"name": "Modified", "object": )" +
                             CollBox(2, 4, 6) + R"(,
         "modifiers": [{"type": "inert", "name": "Edit"}]},
        {"name": "Group", "object": {"type": "dummy"}, "children": [
            {"name": "Deep", "object": )" +
                             CollBox(2, 4, 6) + R"(}]}]}]})";
    const MeshExport result = ExportMeshJson(json);
    // The box's middle (0, 0, 3) carried into world space; sizes of the helper's own mesh; the
    // zone number from name positions 4 and 5; zones of zones, modified boxes and boxes below
    // other nodes are not written.
    EXPECT_THAT(LinesStartingWith(result.lines, "Coll"),
                ElementsAre("CollBox(10,0,3,2,4,6,-1);", "CollBoxMatrix(1,0,0,0,1,0,0,0,1);",
                            "CollZone(7,0,0,0.5,1,1,1,);", "CollZone(0,0,0,0.5,1,1,1,);",
                            "CollZone(7,0,0,0.5,1,1,1,);", "CollBox(10,0,3,2,4,6,-1);",
                            "CollBoxMatrix(0,1,0,-1,0,0,0,0,1);"));
}

TEST(MeshMorphTargets, EnabledChannelsWithOffsetsAboveTheThreshold) {
    const std::string json = R"({"pellucidScene": 1, "nodes": [{"name": "Face",
        "pivot": {"scale": [2,1,1]}, "object": )" +
                             std::string(kTriangle) + R"(, "modifiers": [{"type": "morpher",
        "channels": [
          {"index": 0, "name": "smile", "flags": [1,1], "points": [0,1,2],
           "deltas": [[0.003,0,0],[0.004,0,0],[0,0,1]], "weight": 0},
          {"index": 3, "name": "off", "flags": [1,0], "points": [2],
           "deltas": [[0,0,0],[0,0,0],[0,0,1]], "weight": 0},
          {"index": 5, "name": "blink", "flags": [1,1], "points": [2],
           "deltas": [[0,0,0],[0,0,0],[0,-1,0]], "weight": 0}]}]}]})";
    const MeshExport result = ExportMeshJson(json);
    // Offsets are carried by the pivot's rotation and scale and written times 100; an offset of
    // length 0.003 is skipped, 0.004 written.
    EXPECT_THAT(LinesStartingWith(result.lines, "Morph"),
                ElementsAre("MorphChannel(0, \"smile\");", "MorphVertex(0, 1, 0.8, 0, 0);",
                            "MorphVertex(0, 2, 0, 0, 100);", "MorphChannel(5, \"blink\");",
                            "MorphVertex(5, 2, 0, -100, 0);"));
}

TEST(MeshMarkers, GlowPointPositionRadiusAndColour) {
    const std::string json = R"({"pellucidScene": 1,
        "materials": [{"id": "red", "type": "standard", "name": "red", "diffuse": [1,0.5,0.25]},
                      {"id": "odd", "type": "other", "name": "odd"}],
        "nodes": [
          {"name": "GLOW_A", "material": "red", "object": {"type": "sphere", "radius": 2.5},
           "transform": {"position": [1,2,3]}},
          {"name": "Glow_B", "material": "odd", "object": {"type": "sphere", "radius": 1},
           "transform": {"position": [0,0,-4]}}]})";
    EXPECT_THAT(ExportMeshJson(json).lines,
                ElementsAre("Glow(1,2,3,2.5,1,0.5,0.25);", "Glow(0,0,-4,1,1,1,1);"));
}

TEST(MeshMarkers, MagicVertexRelativeToItsBone) {
    const std::string json = R"({"pellucidScene": 1, "nodes": [
        {"name": "Hand", "object": {"type": "bone"}, "transform": {"position": [0,0,10]},
         "children": [{"name": "MAGIC021", "object": {"type": "sphere", "radius": 1},
                       "transform": {"position": [1,0,0]}},
                      {"name": "magic1", "object": {"type": "sphere", "radius": 1}}]}]})";
    // Group from name positions 5 and 6, sub-number from position 7; the bone index of the parent.
    EXPECT_THAT(ExportMeshJson(json).lines,
                ElementsAre("MagicVertex(2,1,1,0,0,0);", "MagicVertex(1,0,0,0,0,0);"));
}

TEST(MeshMarkers, AttachedObjectsRelativeToTheirLinkParent) {
    const std::string json = R"({"pellucidScene": 1, "nodes": [
        {"name": "Hand", "object": {"type": "bone"}, "transform": {"position": [5,0,0]},
         "children": [{"name": "ATTACH05_Sword  ", "object": )" +
                             std::string(kTriangle) + R"(,
                       "transform": {"position": [1,0,0]}}]},
        {"name": "ATTACH2 Shield", "object": )" +
                             std::string(kTriangle) + R"(, "transform": {"position": [6,0,2]},
         "link": [{"target": "Hand", "time": 0}]},
        {"name": "ATTACH009 Loose", "object": )" +
                             std::string(kTriangle) + R"(}]})";
    const MeshExport result = ExportMeshJson(json);
    // Sorted by number: 2, 5, 9. The name after "ATTACHnn_" or "ATTACHnnn?" loses its trailing
    // blanks; "ATTACH2 Shield" has neither form, so its cut starts at position 10. The shield's
    // transform is relative to the link target in force, the sword's to its scene parent.
    EXPECT_THAT(result.lines, ElementsAre("AttachObject(\"ield\",2,1,0,0,0,1,0,0,0,1,6,0,2);",
                                          "AttachObjectBoneID(2,0);",
                                          "AttachObject(\"Sword\",5,1,0,0,0,1,0,0,0,1,1,0,0);",
                                          "AttachObjectBoneID(5,0);",
                                          "AttachObject(\"Loose\",9,1,0,0,0,1,0,0,0,1,0,0,0);",
                                          "AttachObjectBoneID(9,-1);"));
    EXPECT_THAT(result.messages,
                ElementsAre("Attach Object Error: ATTACH009 Loose: Not linked to main object\n"));
}

}  // namespace
