// The ZUT export of one large mesh whose frame-10 shape differs from its frame-0 shape, so that
// every vertex line needs a nearest-vertex search; and the search itself, by the index and by
// the scan it replaces.
#include <benchmark/benchmark.h>

#include <cmath>
#include <filesystem>
#include <random>
#include <string>

#include "exchange/nearest_vertex.h"
#include "exchange/zut_exporter.h"
#include "standalone/host/standalone_host.h"

namespace {

using namespace pellucid;

// A wavy sheet of `count` vertices in rows, with faces between the rows.
std::vector<Point3> Sheet(long count) {
    const long columns = std::max(1L, static_cast<long>(std::sqrt(static_cast<double>(count))));
    std::vector<Point3> points;
    points.reserve(static_cast<size_t>(count));
    for (long i = 0; i < count; ++i) {
        const float x = static_cast<float>(i % columns);
        const float y = static_cast<float>(i / columns);
        points.emplace_back(x, y, 0.5f * std::sin(0.1f * x) * std::cos(0.07f * y));
    }
    return points;
}

// A node "ZUTsheet" whose morpher moves every vertex by up to 0.7 units over the first ten frames.
doc::Document SheetScene(long count) {
    doc::Document document;
    doc::Object object;
    object.type = doc::ObjectType::Mesh;
    object.mesh.vertices = Sheet(count);
    const auto columns = static_cast<std::uint32_t>(std::sqrt(static_cast<double>(count)));
    for (std::uint32_t i = 0; i + columns + 1 < static_cast<std::uint32_t>(count); ++i) {
        if ((i + 1) % columns != 0) {
            object.mesh.faces.push_back({i, i + 1, i + columns});
            object.mesh.faces.push_back({i + 1, i + columns + 1, i + columns});
        }
    }
    document.objects.push_back(std::move(object));
    doc::Modifier morpher;
    morpher.type = doc::ModifierType::Morpher;
    doc::MorphChannelData channel;
    channel.hasData = channel.enabled = 1;
    std::mt19937 random(3);
    std::uniform_real_distribution<float> offset(-0.4f, 0.4f);
    for (long i = 0; i < count; ++i) {
        channel.points.push_back(static_cast<int>(i));
        channel.deltas.emplace_back(offset(random), offset(random), offset(random));
    }
    channel.weight.keys = {{0, 0.0f}, {1600, 100.0f}};
    morpher.channels.push_back(std::move(channel));
    document.modifiers.push_back(std::move(morpher));
    doc::Node node;
    node.name = "ZUTsheet";
    node.object = 0;
    node.modifiers = {0};
    document.nodes.push_back(std::move(node));
    document.rootNodes = {0};
    return document;
}

void BM_ZutExport(benchmark::State& state) {
    const doc::Document document = SheetScene(state.range(0));
    const std::string output = "zut_bench_" + std::to_string(state.range(0)) + ".zut";
    for (auto _ : state) {
        state.PauseTiming();
        standalone::StandaloneHost host(document);
        host.SetEchoMessages(false);
        state.ResumeTiming();
        benchmark::DoNotOptimize(
            ZUTExporter().DoExport(output.c_str(), host.GetExpInterface(), &host));
    }
    state.counters["bytes"] = static_cast<double>(std::filesystem::file_size(output));
    state.counters["vertices"] = static_cast<double>(state.range(0));
}

BENCHMARK(BM_ZutExport)->Arg(20000)->Arg(200000)->Unit(benchmark::kMillisecond)->Iterations(3);

std::vector<Point3> Moved(const std::vector<Point3>& points) {
    std::mt19937 random(5);
    std::uniform_real_distribution<float> offset(-0.4f, 0.4f);
    std::vector<Point3> moved = points;
    for (Point3& p : moved) {
        p += Point3(offset(random), offset(random), offset(random));
    }
    return moved;
}

void BM_NearestByIndex(benchmark::State& state) {
    const std::vector<Point3> rest = Sheet(state.range(0));
    const std::vector<Point3> posed = Moved(rest);
    for (auto _ : state) {
        const NearestVertexIndex index(rest);
        long sum = 0;
        for (const Point3& p : posed) {
            sum += index.Find(p);
        }
        benchmark::DoNotOptimize(sum);
    }
}

void BM_NearestByScan(benchmark::State& state) {
    const std::vector<Point3> rest = Sheet(state.range(0));
    const std::vector<Point3> posed = Moved(rest);
    for (auto _ : state) {
        long sum = 0;
        for (const Point3& p : posed) {
            sum += FindNearestByScan(p, rest);
        }
        benchmark::DoNotOptimize(sum);
    }
}

BENCHMARK(BM_NearestByIndex)->Arg(2000)->Arg(20000)->Arg(200000)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_NearestByScan)->Arg(2000)->Arg(20000)->Unit(benchmark::kMillisecond);

}  // namespace

BENCHMARK_MAIN();
