// Assets through the interchange room: reading and converting a generated glTF grid, and the whole
// path of `pellucid export mesh grid.gltf` (conversion, scene build, mesh script). The speed
// comparison with the importer's own tool is bench/compare_with_assimp_export.
//
// Grids are generated once per size into the working folder (gltf_bench_<triangles>.gltf and its
// .bin).
#include <benchmark/benchmark.h>

#include <filesystem>
#include <string>

#include "gltf_writer.h"
#include "mesh_export/expo_mesh.h"
#include "standalone/host/standalone_host.h"
#include "standalone/interchange/interchange_import.h"
#include "triangle_runs.h"

namespace {

std::string GridFor(long triangles) {
    const std::string path = "gltf_bench_" + std::to_string(triangles) + ".gltf";
    if (!std::filesystem::exists(path) ||
        !std::filesystem::exists("gltf_bench_" + std::to_string(triangles) + ".bin")) {
        pellucid::bench::WriteGridGltf(path, triangles);
    }
    return path;
}

void BM_ConvertGltf(benchmark::State& state) {
    const std::string grid = GridFor(state.range(0));
    for (auto _ : state) {
        auto conversion = pellucid::interchange::ConvertInterchangeFile(grid, {});
        benchmark::DoNotOptimize(conversion.document.objects.data());
    }
    state.counters["triangles"] = static_cast<double>(state.range(0));
}

void BM_ExportMeshFromGltf(benchmark::State& state) {
    const std::string grid = GridFor(state.range(0));
    const std::string output = "gltf_bench_" + std::to_string(state.range(0)) + ".mef";
    for (auto _ : state) {
        pellucid::standalone::StandaloneHost host(
            pellucid::interchange::ConvertInterchangeFile(grid, {}).document);
        host.SetEchoMessages(false);
        const int result = ExpoMesh().DoExport(output.c_str(), host.GetExpInterface(), &host);
        benchmark::DoNotOptimize(result);
    }
    state.counters["triangles"] = static_cast<double>(state.range(0));
}

BENCHMARK(BM_ConvertGltf)->Apply(pellucid::bench::TriangleRuns);
BENCHMARK(BM_ExportMeshFromGltf)->Apply(pellucid::bench::TriangleRuns);

}  // namespace

BENCHMARK_MAIN();
