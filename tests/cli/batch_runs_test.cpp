// The batch runner on its own, with jobs that misbehave on purpose: reports keep the order of the
// scenes whatever order the jobs end in, and a job that dies leaves no file and fails alone.
#include <gtest/gtest.h>
#include <unistd.h>

#include <chrono>
#include <csignal>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <thread>

#include "cli/batch_export.h"
#include "cli/run_pellucid.h"

namespace pellucid::test {
namespace {

namespace fs = std::filesystem;
using cli::BatchExport;
using cli::RunBatchExport;

TEST(BatchRuns, ReportsFollowTheOrderOfTheScenesNotTheOrderTheyEnd) {
    const std::string folder = TemporaryFolder("batch-order");
    // The first scene takes longest, the last is quickest.
    const auto job = [](const std::string& scene, const std::string& output, std::ostream& out,
                        std::ostream& err) {
        const int delay = scene == "first.json" ? 300 : scene == "second.json" ? 150 : 0;
        std::this_thread::sleep_for(std::chrono::milliseconds(delay));
        std::ofstream(output) << scene;
        out << "out of " << scene << "\n";
        err << "err of " << scene << "\n";
        return scene == "second.json" ? 1 : 0;
    };
    std::ostringstream out, err;
    const int code = RunBatchExport(
        BatchExport{{"first.json", "second.json", "third.json"}, folder, ".txt", 3}, job, out, err);
    EXPECT_EQ(code, 1);
    EXPECT_EQ(out.str(),
              "out of first.json\nout of second.json\nout of third.json\n3 of 3 scenes "
              "written to " +
                  folder + "\n");
    EXPECT_EQ(err.str(), "err of first.json\nerr of second.json\nerr of third.json\n");
    std::ifstream third(folder + "/third.txt");
    EXPECT_EQ(std::string(std::istreambuf_iterator<char>(third), {}), "third.json");
}

TEST(BatchRuns, AJobThatDiesFailsAloneAndLeavesNothing) {
    const std::string folder = TemporaryFolder("batch-killed");
    const auto job = [](const std::string& scene, const std::string& output, std::ostream& out,
                        std::ostream&) {
        if (scene == "bad.pscene.json") {
            // Dies halfway through writing its temporary file.
            std::ofstream(output + ".partial-" + std::to_string(::getpid())) << "half";
            std::raise(SIGKILL);
        }
        std::ofstream(output) << scene;
        out << "wrote " << output << "\n";
        return 0;
    };
    for (const int jobs : {1, 2}) {
        SCOPED_TRACE(jobs);
        fs::remove_all(folder);
        std::ostringstream out, err;
        const int code =
            RunBatchExport(BatchExport{{"good.pscene.json", "bad.pscene.json", "x/other.gltf"},
                                       folder + "/",
                                       ".bef",
                                       jobs},
                           job, out, err);
        EXPECT_EQ(code, 2);
        EXPECT_EQ(out.str(), "wrote " + folder + "/good.bef\nwrote " + folder +
                                 "/other.bef\n2 of 3 scenes written to " + folder + "/\n");
        EXPECT_EQ(err.str(),
                  "pellucid: bad.pscene.json: the export stopped abnormally (Killed); "
                  "no file was written\n");
        EXPECT_EQ(std::distance(fs::directory_iterator(folder), {}), 2);
    }
}

TEST(BatchRuns, OutputFileIsNamedAfterTheScene) {
    EXPECT_EQ(cli::BatchOutputPath("out/", "a/walk.pscene.json", ".bef"), "out/walk.bef");
    EXPECT_EQ(cli::BatchOutputPath("out", "Walk.PSCENE.JSON", ".bef"), "out/Walk.bef");
    EXPECT_EQ(cli::BatchOutputPath("out", "hero.v2.gltf", ".mef"), "out/hero.v2.mef");
    EXPECT_EQ(cli::BatchOutputPath("out", "plain.json", ".mef"), "out/plain.mef");
    EXPECT_EQ(cli::BatchOutputPath("out", ".pscene.json", ".mef"), "out/.pscene.mef");
}

}  // namespace
}  // namespace pellucid::test
