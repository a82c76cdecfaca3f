#include <gtest/gtest.h>

#include <filesystem>

#include "cli/run_pellucid.h"
#include "standalone/document/scene_document_io.h"
#include "support/script_files.h"

namespace pellucid::test {
namespace {

const std::string kScenes = std::string(PELLUCID_TEST_DATA) + "/scenes/";
const std::string kGolden = std::string(PELLUCID_TEST_DATA) + "/golden/cli/";
const std::string kOpenBox = kScenes + "panels_openbox.pscene.json";
const std::string kBones = kScenes + "panels_bones.pscene.json";

std::vector<int> SelectedFaces(const std::string& scene, const std::string& node) {
    const doc::Document document = standalone::ReadSceneDocument(scene);
    for (const doc::Node& n : document.nodes) {
        if (n.name == node) {
            return n.selectedFaces;
        }
    }
    ADD_FAILURE() << node;
    return {};
}

TEST(CheckCommand, PrintsStatusAndMarksAndExitsOneOnFailure) {
    CommandResult r = RunPellucid({"check", "volume", kOpenBox});
    EXPECT_EQ(r.exitCode, 1);
    EXPECT_EQ(r.out, "status: Volume not OK.\nmarks Crate: 3 5 7 9\n");
    r = RunPellucid({"check", "mapping", kOpenBox});
    EXPECT_EQ(r.exitCode, 1);
    EXPECT_EQ(r.out,
              "status: Mapping not OK.\nmarks Crate: 0 1 2 3 4 5 6 7 8 9\n"
              "marks (converted) Ball: 0 1 2 3 4 5 6 7 8 9 10 11 12 13 14 15 16 17 18 19 20 21 "
              "22 23\nmarks (converted) Hitbox: 0 1 2 3 4 5 6 7 8 9 10 11\n");
    EXPECT_NE(r.err.find("note: Ball is a sphere, not an editable mesh"), std::string::npos);
    r = RunPellucid({"check", "texel", kOpenBox});
    EXPECT_EQ(r.exitCode, 0);
    EXPECT_EQ(r.out, "status 1008: \nstatus 1010: \n");
    r = RunPellucid({"check", "sorting", kOpenBox});
    EXPECT_EQ(r.exitCode, 1);
    EXPECT_EQ(r.out, "status: Sorting group not ok.\n");
    EXPECT_NE(r.err.find("note: Crate is selected"), std::string::npos);
}

TEST(CheckCommand, JsonReportPictureAndSavedMarks) {
    const std::string folder = TemporaryFolder("check-outputs");
    const CommandResult json = RunPellucid({"check", "volume", kOpenBox, "--json"});
    EXPECT_EQ(json.exitCode, 1);
    EXPECT_EQ(json.out, ReadBytes(kGolden + "openbox-volume.json"));
    const CommandResult r =
        RunPellucid({"check", "volume", kOpenBox, "--svg", folder + "/marks.svg", "-o",
                     folder + "/marked.pscene.json"});
    EXPECT_EQ(r.exitCode, 1) << r.err;
    EXPECT_EQ(ReadBytes(folder + "/marks.svg"), ReadBytes(kGolden + "openbox-volume.svg"));
    EXPECT_EQ(SelectedFaces(folder + "/marked.pscene.json", "Crate"),
              (std::vector<int>{3, 5, 7, 9}));
    EXPECT_EQ(std::filesystem::directory_iterator(folder) == std::filesystem::directory_iterator(),
              false);
}

TEST(CheckCommand, RefusesBadRequestsWithoutWritingAnything) {
    const std::string folder = TemporaryFolder("check-refusals");
    const std::string copy = folder + "/scene.pscene.json";
    std::filesystem::copy_file(kOpenBox, copy);
    const std::string before = ReadBytes(copy);
    for (const auto& args : std::vector<std::vector<std::string>>{
             {"check", "volume", copy, "-o", copy},
             {"check", "volume", copy, "--svg", copy},
             {"check", "colour", copy},
             {"check", "volume", copy, "-o", folder + "/missing/out.pscene.json"},
             {"view", copy, "-o", folder + "/v.svg", "--view", "side"},
             {"portal", copy, "--next-portal", "1", "--update", "1"}}) {
        const CommandResult r = RunPellucid(args);
        EXPECT_EQ(r.exitCode, 2) << args[1] << " " << r.err;
        EXPECT_EQ(r.err.rfind("pellucid: ", 0), 0u) << r.err;
    }
    EXPECT_EQ(ReadBytes(copy), before);
    for (const auto& entry : std::filesystem::directory_iterator(folder)) {
        EXPECT_EQ(entry.path().filename(), "scene.pscene.json") << "left behind";
    }
}

TEST(PortalCommand, PressesAButtonAndPrintsCountsAndSelection) {
    CommandResult r = RunPellucid({"portal", kOpenBox});
    EXPECT_EQ(r.exitCode, 0);
    EXPECT_EQ(r.out, "status: Portals: 2  Sectors: 1\n");
    r = RunPellucid({"portal", kOpenBox, "--next-portal", "1"});
    EXPECT_EQ(r.out, "status: Portals: 2  Sectors: 0\nmarks Crate: 6 7\n");
    r = RunPellucid({"portal", kOpenBox, "--prev-sector", "3"});
    EXPECT_EQ(r.out, "status: Portals: 2  Sectors: 1\nmarks Crate: 0 1 2 3 4 5 6 7 8 9\n");
}

TEST(CopyBonesCommand, CopiesByNameAndSaves) {
    const std::string folder = TemporaryFolder("copy-bones");
    const std::string out = folder + "/copied.pscene.json";
    CommandResult r = RunPellucid(
        {"copy-bones", kBones, "--source", "SrcRoot", "--target", "DstRoot", "-o", out});
    EXPECT_EQ(r.exitCode, 0) << r.err;
    EXPECT_EQ(r.out, "copied Arm onto Arm\nwrote " + out + "\n");
    EXPECT_NE(r.err.find("note: Tail is selected but DstRoot has no bone of that name"),
              std::string::npos);
    // The copied arm now sits where the source's arm is.
    const doc::Document copied = standalone::ReadSceneDocument(out);
    EXPECT_EQ(copied.nodes[4].name, "Arm");
    EXPECT_EQ(copied.nodes[4].transform.matrix.GetTrans(), Point3(1 - 50, 2, 3));
    // Refusals: an unreachable bone is bad input; the library's own refusal exits 1.
    r = RunPellucid({"copy-bones", kBones, "--source", "Arm", "--target", "DstRoot", "-o", out});
    EXPECT_EQ(r.exitCode, 2);
    EXPECT_NE(r.err.find("directly under the scene root"), std::string::npos);
    r = RunPellucid(
        {"copy-bones", kBones, "--source", "SrcRoot", "--target", "SrcRoot", "-o", out + "2"});
    EXPECT_EQ(r.exitCode, 1);
    EXPECT_EQ(r.err, "Error: Source and target equal.\n");
    EXPECT_FALSE(std::filesystem::exists(out + "2"));
}

TEST(ViewCommand, DrawsEveryViewAndLeavesWireframeOnlyObjectsOutOfShadedOnes) {
    const std::string folder = TemporaryFolder("view");
    for (const char* view : {"top", "front", "left", "perspective"}) {
        const std::string path = folder + "/" + view + ".svg";
        const CommandResult r = RunPellucid({"view", kOpenBox, "-o", path, "--view", view});
        EXPECT_EQ(r.exitCode, 0) << r.err;
        EXPECT_EQ(ReadBytes(path).rfind("<svg ", 0), 0u);
    }
    const CommandResult wire = RunPellucid({"view", kOpenBox, "-o", folder + "/w.svg"});
    const CommandResult shaded =
        RunPellucid({"view", kOpenBox, "-o", folder + "/s.svg", "--shaded"});
    EXPECT_EQ(shaded.out, "wrote " + folder + "/s.svg (perspective view, shaded)\n");
    // The collision box's edges show in wireframe only: its colour is the third wire colour.
    EXPECT_NE(ReadBytes(folder + "/w.svg").find("#facc66"), std::string::npos);
    EXPECT_EQ(ReadBytes(folder + "/s.svg").find("#facc66"), std::string::npos);
}

}  // namespace
}  // namespace pellucid::test
