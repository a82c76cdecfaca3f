// Reading a generated grid scene document (its big arrays in a side file) into a doc::Document:
// the reader alone, without the scene build or an export.
//
// Scenes are generated once per size into the working folder (read_bench_<triangles>.pscene.json
// and its side file). Peak memory is the process's: run one size at a time under a memory
// measuring tool for it (--benchmark_filter=/1000000).
#include <benchmark/benchmark.h>

#include <filesystem>
#include <string>

#include "scene_generator.h"
#include "standalone/document/scene_document_io.h"
#include "triangle_runs.h"

namespace {

void BM_ReadSceneDocument(benchmark::State& state) {
    const std::string path = "read_bench_" + std::to_string(state.range(0)) + ".pscene.json";
    if (!std::filesystem::exists(path) || !std::filesystem::exists(path + ".bin")) {
        pellucid::bench::WriteGridScene(path, state.range(0));
    }
    for (auto _ : state) {
        const pellucid::doc::Document document = pellucid::standalone::ReadSceneDocument(path);
        benchmark::DoNotOptimize(document.objects.data());
    }
    state.counters["triangles"] = static_cast<double>(state.range(0));
}

BENCHMARK(BM_ReadSceneDocument)->Apply(pellucid::bench::TriangleRuns);

}  // namespace

BENCHMARK_MAIN();
