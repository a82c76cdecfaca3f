// The checks that must stay fast on big scenes: the volume check on a closed torus (document
// load included, and alone), and the sector flood of the portal browser on a level mesh made of
// separate pieces (one piece is the worst case: a single sector of every face).
//
// Scenes are generated once per size into the working folder (check_*.pscene.json with their
// side files); check_volume_<n>.stl holds the torus's triangles for other checkers.
#include <benchmark/benchmark.h>

#include <filesystem>
#include <string>

#include "check_scene_generator.h"
#include "standalone/document/scene_document_io.h"
#include "standalone/host/standalone_host.h"
#include "utilities/check_volume.h"
#include "utilities/portal.h"
#include "utilities/portal_tables.h"

namespace {

using pellucid::standalone::ReadSceneDocument;
using pellucid::standalone::StandaloneHost;

std::string TorusScene(long triangles) {
    const std::string path = "check_volume_" + std::to_string(triangles) + ".pscene.json";
    if (!std::filesystem::exists(path) || !std::filesystem::exists(path + ".bin")) {
        const auto mesh = pellucid::bench::TorusMesh(triangles);
        pellucid::bench::WriteCheckScene(path, mesh, {"hull_M"});
        pellucid::bench::WriteBinaryStl("check_volume_" + std::to_string(triangles) + ".stl", mesh);
    }
    return path;
}

std::string LevelScene(long triangles, int pieces) {
    const std::string path =
        "check_level_" + std::to_string(triangles) + "_" + std::to_string(pieces) + ".pscene.json";
    if (!std::filesystem::exists(path) || !std::filesystem::exists(path + ".bin")) {
        pellucid::bench::WriteCheckScene(path, pellucid::bench::LevelMesh(triangles, pieces),
                                         pellucid::bench::LevelMaterialNames());
    }
    return path;
}

void BM_VolumeCheckWithLoad(benchmark::State& state) {
    const std::string scene = TorusScene(state.range(0));
    for (auto _ : state) {
        StandaloneHost host(ReadSceneDocument(scene));
        host.SetEchoMessages(false);
        const CheckFindings findings = CheckVolumeNode(host.GetRootNode());
        if (!findings.passed) {
            state.SkipWithError("the torus is not closed");
        }
    }
    state.counters["triangles"] = static_cast<double>(state.range(0));
}
BENCHMARK(BM_VolumeCheckWithLoad)->Arg(1000000)->Unit(benchmark::kMillisecond)->Iterations(3);

void BM_VolumeCheckOnly(benchmark::State& state) {
    StandaloneHost host(ReadSceneDocument(TorusScene(state.range(0))));
    host.SetEchoMessages(false);
    for (auto _ : state) {
        benchmark::DoNotOptimize(CheckVolumeNode(host.GetRootNode()));
    }
}
BENCHMARK(BM_VolumeCheckOnly)->Arg(1000000)->Unit(benchmark::kMillisecond)->Iterations(3);

// One press of Next under Sectors: portals collected, sectors flooded, the sector selected.
void BM_SectorFloodPress(benchmark::State& state) {
    StandaloneHost host(
        ReadSceneDocument(LevelScene(state.range(0), static_cast<int>(state.range(1)))));
    host.SetEchoMessages(false);
    PortalBrowser browser;
    for (auto _ : state) {
        browser.NextSector(&host);
    }
    state.counters["sectors"] = browser.sectorCount;
}
BENCHMARK(BM_SectorFloodPress)
    ->Args({200000, 1})
    ->Args({200000, 16})
    ->Unit(benchmark::kMillisecond)
    ->Iterations(3);

}  // namespace

BENCHMARK_MAIN();
