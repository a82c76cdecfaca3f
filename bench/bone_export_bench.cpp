// The whole bone export of a generated chain of bones, document load included, against its floor:
// merely formatting the script's numbers with std::to_chars, measured in the same run.
//
// A bone holds at most 2048 rotation entries, so the key count is doubled from 1,000 to 2,000
// (4,000 keys would end the rotation section with "Valid key table full."); the bone count is
// doubled from 128 to 256, the most a tree holds. Counters: `best_s`, the export's CPU seconds;
// `floor_s`, the CPU seconds of the formatting alone; `x_floor`, the one over the other (all the
// best of their runs); `numbers` and `MB` of the script. The doubling figure is the `best_s` of
// 256 x 2000 over that of 256 x 1000.
//
// Scenes are generated once per size into the working folder
// (bone_bench_<bones>x<keys>.pscene.json).
#include <benchmark/benchmark.h>

#include <time.h>

#include <algorithm>
#include <charconv>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <limits>
#include <string>
#include <vector>

#include "bone_export/expo_bone.h"
#include "bone_scene_generator.h"
#include "standalone/document/scene_document_io.h"
#include "standalone/host/standalone_host.h"

namespace {

std::string Stem(int bones, int keys) {
    return "bone_bench_" + std::to_string(bones) + "x" + std::to_string(keys);
}

std::string SceneFor(int bones, int keys) {
    const std::string path = Stem(bones, keys) + ".pscene.json";
    if (!std::filesystem::exists(path)) {
        pellucid::bench::WriteBoneChainScene(path, bones, keys);
    }
    return path;
}

double CpuSeconds() {
    timespec now{};
    clock_gettime(CLOCK_PROCESS_CPUTIME_ID, &now);
    return static_cast<double>(now.tv_sec) + 1e-9 * static_cast<double>(now.tv_nsec);
}

// The numbers of a script in the order written: the floats (written with an exponent) and the
// integers, each argument of each line.
struct ScriptNumbers {
    std::vector<double> floats;
    std::vector<long> integers;
    std::vector<bool> isFloat;  // per number, in order
};

ScriptNumbers ReadNumbers(const std::string& path) {
    std::ifstream file(path, std::ios::binary);
    const std::string text((std::istreambuf_iterator<char>(file)),
                           std::istreambuf_iterator<char>());
    ScriptNumbers numbers;
    size_t i = 0;
    while (i < text.size()) {
        const char c = text[i];
        const bool starts = (c >= '0' && c <= '9') || c == '-';
        const bool inArguments =
            i > 0 && (text[i - 1] == '(' || text[i - 1] == ',' || text[i - 1] == ' ');
        if (!starts || !inArguments) {
            ++i;
            continue;
        }
        size_t end = i;
        while (end < text.size() && text[end] != ',' && text[end] != ')') {
            ++end;
        }
        const std::string_view field(text.data() + i, end - i);
        if (field.find('e') != std::string_view::npos) {
            double value = 0.0;
            std::from_chars(field.data(), field.data() + field.size(), value);
            numbers.floats.push_back(value);
            numbers.isFloat.push_back(true);
        } else {
            long value = 0;
            std::from_chars(field.data(), field.data() + field.size(), value);
            numbers.integers.push_back(value);
            numbers.isFloat.push_back(false);
        }
        i = end;
    }
    return numbers;
}

// CPU seconds to format every number of the script with std::to_chars into a reused buffer, the
// best of three runs.
double FormattingFloor(const ScriptNumbers& numbers) {
    double best = std::numeric_limits<double>::max();
    std::string buffer;
    for (int run = 0; run < 3; ++run) {
        const double start = CpuSeconds();
        buffer.clear();
        size_t f = 0, n = 0;
        for (const bool isFloat : numbers.isFloat) {
            char digits[40];
            const auto result =
                isFloat ? std::to_chars(digits, digits + sizeof(digits), numbers.floats[f++],
                                        std::chars_format::scientific, 17)
                        : std::to_chars(digits, digits + sizeof(digits), numbers.integers[n++]);
            buffer.append(digits, result.ptr);
            if (buffer.size() > (1 << 20)) {
                benchmark::DoNotOptimize(buffer.data());
                buffer.clear();
            }
        }
        benchmark::DoNotOptimize(buffer.data());
        best = std::min(best, CpuSeconds() - start);
    }
    return best;
}

void BM_BoneExportWithLoad(benchmark::State& state) {
    const int bones = static_cast<int>(state.range(0));
    const int keys = static_cast<int>(state.range(1));
    const std::string scene = SceneFor(bones, keys);
    const std::string output = Stem(bones, keys) + ".bef";
    double best = std::numeric_limits<double>::max();
    for (auto _ : state) {
        const double start = CpuSeconds();
        pellucid::standalone::StandaloneHost host(pellucid::standalone::ReadSceneDocument(scene));
        host.SetEchoMessages(false);
        const int result = ExpoBone().DoExport(output.c_str(), host.GetExpInterface(), &host);
        benchmark::DoNotOptimize(result);
        best = std::min(best, CpuSeconds() - start);
    }
    const ScriptNumbers numbers = ReadNumbers(output);
    const double floor = FormattingFloor(numbers);
    state.counters["best_s"] = best;
    state.counters["floor_s"] = floor;
    state.counters["x_floor"] = best / floor;
    state.counters["numbers"] = static_cast<double>(numbers.isFloat.size());
    state.counters["MB"] = static_cast<double>(std::filesystem::file_size(output)) / 1e6;
}

BENCHMARK(BM_BoneExportWithLoad)
    ->Args({128, 2000})
    ->Args({256, 1000})
    ->Args({256, 2000})
    ->Unit(benchmark::kMillisecond)
    ->Iterations(5);

}  // namespace

BENCHMARK_MAIN();
