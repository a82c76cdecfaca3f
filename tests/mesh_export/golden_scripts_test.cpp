// Whole mesh scripts of small scenes, compared byte for byte with checked-in files, and the
// determinism of the export.
//
// The golden files were produced by the exporter and then checked line by line; the reasoning for
// each is kept beside its test. Set PELLUCID_UPDATE_GOLDEN=1 to rewrite them after a deliberate
// change (and check them again).
#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <cstdlib>
#include <fstream>
#include <string>
#include <vector>

#include "mesh_test_support.h"
#include "standalone/document/scene_document_io.h"

namespace {

using testing::ElementsAre;

struct GoldenRun {
    MeshExport result;
    std::string golden;
};

GoldenRun ExportScene(const std::string& name) {
    const std::string scene = std::string(PELLUCID_TEST_DATA) + "/scenes/" + name + ".pscene.json";
    const std::string golden = std::string(PELLUCID_TEST_DATA) + "/golden/mesh/" + name + ".mef";
    GoldenRun run{ExportMesh(pellucid::standalone::ReadSceneDocument(scene)), ""};
    const char* update = std::getenv("PELLUCID_UPDATE_GOLDEN");
    if (update != nullptr && std::string(update) == "1") {
        std::ofstream(golden, std::ios::binary) << run.result.bytes;
    }
    run.golden = ReadBytes(golden);
    return run;
}

// Pyramid of four sides (group 1, sub-material 0; the last side's id 2 wraps to 0 silently since
// stone is listed already) on a base of two faces (group 2, sub-material 1).
//   Materials: stone_M is 0, gold_M is 1. Stone: diffuse, ambient, specular, strength 0.5, no
//   self-illumination or transparency; filter type, so no transparency line; shininess 0.2.
//   Its diffuse bitmap's network path becomes P:/stone.tga through the mapped drive; bump
//   "Bump" keeps its slot name. Gold: additive ", 1"; its specular slot is a mask whose map is
//   written with flag 1; the reflection slot's RGB multiply writes both bitmaps, env_b of
//   300 x 300 with the one "Illegal texture size." warning.
//   Vertices as given (identity node). Normals: apex one record (group 1); each base corner two
//   records, {1} then {2} as the sides come first: 9 records, all used, so 9 lines. Entries are
//   numbered as faces first use them: side 0 gives 0 (v0), 1 (v1), 2 (apex); side 1 gives 3 (v2);
//   side 2 gives 4 (v3); base faces give 5 (v0 {2}), 6 (v2 {2}), 7 (v1 {2}), 8 (v3 {2}).
//   Side normals: (p1-p0) x (p2-p1), e.g. side 0 (2,0,0) x (-1,1,2) = (0,-4,2); each base
//   corner's group-1 record averages its two sides, (-0.57735,-0.57735,0.57735) at v0; the apex
//   averages all four sides, (0,0,1); the base records point down, (0,0,-1).
//   Faces: corners 0, 2, 1 and their entries likewise; material 0 for sides, 1 for the base.
//   UV: every face has a named material; stone's diffuse tiling 2 x 2 doubles the side
//   coordinates, gold has no diffuse bitmap so the base is raw.
TEST(MeshGoldenScripts, TexturedMultiMaterialPyramid) {
    const GoldenRun run = ExportScene("mesh_textured");
    EXPECT_EQ(run.result.bytes, run.golden);
    EXPECT_THAT(run.result.messages, ElementsAre("Warning: Illegal texture size."));
}

// A quad mirrored on x and moved to x = 5. Vertex scale: k = (1,1,1), the node mirrors relative
// to the root so z is negated (0 becomes -0, 0.5 becomes -0.5); x is written as stored. The
// object mirrors, so faces and texture triangles keep corners 0, 1, 2. Normals in object space:
// both faces of group 1 are averaged at the shared vertices 0 and 2.
TEST(MeshGoldenScripts, MirroredPanel) {
    const GoldenRun run = ExportScene("mesh_mirrored");
    EXPECT_EQ(run.result.bytes, run.golden);
    EXPECT_TRUE(run.result.messages.empty());
}

// Three bones Root, Spine (z = 5) and Arm (x + 1 from Spine, mirrored: own sign -1, sign -1).
// The skeleton block: Bone(0,"Root",-1,0,0,0); Bone(1,"Spine",0,0,0,5); Bone(2,"Arm",1,1,0,0);
// then BuildHierarchy();. Dominant bones: v0 Root, v1 Root (0.5 against 0.5: the earlier bone),
// v2 Spine, v3 Arm (0.75), v4 Arm; the normals of Arm's vertices carry " // Flipped".
// Influences bone by bone in vertex order, offsets in the bone's initial frame times its sign:
// Root v0 (0,0,0) 1, v1 (1,0,0) 0.5; Spine v1 (1,0,-5) 0.5, v2 (0,0,0) 1, v3 (1,0,0) 0.25;
// Arm (frame x' = 1 - x, z' = z - 5, then times -1) v3 (-0,-0,-0) 0.75, v4 (1,-0,-0) 1.
TEST(MeshGoldenScripts, SkinnedObjectWithBones) {
    const GoldenRun run = ExportScene("mesh_skinned");
    EXPECT_EQ(run.result.bytes, run.golden);
    EXPECT_TRUE(run.result.messages.empty());
}

// Scene order: the glow line stands before the object block; the magic vertex after it. The
// hidden collision box and zone are not objects of the walk but are written as the ship's
// references. Extra warns; the trigger and the hidden rock are silent. The attach lines are last:
// Flag (1) linked to the ship (not a bone: -1), then ATTACH2_Unlinked (2), which is reported; its
// character at position 8 is not "_", so its object name starts at position 10: "linked".
TEST(MeshGoldenScripts, TwoObjectsAndMarkers) {
    const GoldenRun run = ExportScene("mesh_markers");
    EXPECT_EQ(run.result.bytes, run.golden);
    EXPECT_THAT(run.result.messages,
                ElementsAre("Warning: More than one object in scene.",
                            "Attach Object Error: ATTACH2_Unlinked: Not linked to main object\n"));
}

TEST(MeshGoldenScripts, ExportingTwiceGivesTheSameBytes) {
    for (const char* name : {"mesh_textured", "mesh_mirrored", "mesh_skinned", "mesh_markers"}) {
        const std::string scene =
            std::string(PELLUCID_TEST_DATA) + "/scenes/" + name + ".pscene.json";
        const pellucid::doc::Document document = pellucid::standalone::ReadSceneDocument(scene);
        const MeshExport first = ExportMesh(document);
        const MeshExport second = ExportMesh(document);
        EXPECT_FALSE(first.bytes.empty()) << name;
        EXPECT_EQ(first.bytes, second.bytes) << name;
        EXPECT_EQ(first.messages, second.messages) << name;
    }
}

}  // namespace
