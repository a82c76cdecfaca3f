// The whole mesh export of a generated grid scene, document load included: read the document,
// build the stand-alone host's scene, export the mesh script.
//
// Scenes are generated once per size into the working folder (mesh_bench_<triangles>.pscene.json
// and its side file).
#include <benchmark/benchmark.h>

#include <filesystem>
#include <string>

#include "mesh_export/expo_mesh.h"
#include "scene_generator.h"
#include "standalone/document/scene_document_io.h"
#include "standalone/host/standalone_host.h"
#include "triangle_runs.h"

namespace {

std::string SceneFor(long triangles) {
    const std::string path = "mesh_bench_" + std::to_string(triangles) + ".pscene.json";
    if (!std::filesystem::exists(path) || !std::filesystem::exists(path + ".bin")) {
        pellucid::bench::WriteGridScene(path, triangles);
    }
    return path;
}

void BM_MeshExportWithLoad(benchmark::State& state) {
    const std::string scene = SceneFor(state.range(0));
    const std::string output = "mesh_bench_" + std::to_string(state.range(0)) + ".mef";
    for (auto _ : state) {
        pellucid::standalone::StandaloneHost host(pellucid::standalone::ReadSceneDocument(scene));
        host.SetEchoMessages(false);
        const int result = ExpoMesh().DoExport(output.c_str(), host.GetExpInterface(), &host);
        benchmark::DoNotOptimize(result);
    }
    state.counters["bytes"] = static_cast<double>(std::filesystem::file_size(output));
    state.counters["triangles"] = static_cast<double>(state.range(0));
}

BENCHMARK(BM_MeshExportWithLoad)->Apply(pellucid::bench::TriangleRuns)->Arg(2000000);

}  // namespace

BENCHMARK_MAIN();
