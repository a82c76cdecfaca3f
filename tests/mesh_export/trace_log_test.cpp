// The names the mesh exporter writes to the debug trace log as it enters its operations, for the
// textured pyramid and the marker scene, against checked-in logs (PELLUCID_UPDATE_GOLDEN=1
// rewrites them).
#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <string>

#include "mesh_export/expo_mesh.h"
#include "mesh_test_support.h"
#include "services/debug_log.h"

namespace {

// The trace log of exporting the scene `name` of the test data.
std::string TraceOfExport(const std::string& name) {
    pellucid::standalone::StandaloneHost host(pellucid::standalone::ReadSceneDocument(
        PELLUCID_TEST_DATA "/scenes/" + name + ".pscene.json"));
    host.SetEchoMessages(false);
    const std::filesystem::path folder = ScratchPath("drive_d");
    std::filesystem::create_directories(folder / "project" / "pellucid" / "test");
    host.MapDrive('d', folder.string());
    const std::string output = ScratchPath("out.mef");
    ExpoMesh().DoExport(output.c_str(), host.GetExpInterface(), &host);
    CloseDebugLog();
    return ReadBytes((folder / "project" / "pellucid" / "test" / "debug.txt").string());
}

TEST(MeshTraceLog, NamesEachOperationAsItStarts) {
    for (const std::string name : {"mesh_textured", "mesh_markers"}) {
        const std::string log = TraceOfExport(name);
        const std::string golden = PELLUCID_TEST_DATA "/golden/mesh/" + name + ".trace.txt";
        const char* update = std::getenv("PELLUCID_UPDATE_GOLDEN");
        if (update != nullptr && std::string(update) == "1") {
            std::ofstream(golden, std::ios::binary) << log;
        }
        ASSERT_FALSE(log.empty()) << name;
        EXPECT_EQ(log, ReadBytes(golden)) << name;
        ScriptLines(log);  // every line ends in CR LF
    }
}

}  // namespace
