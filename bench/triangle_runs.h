// The runs that the scene benchmarks share.
#pragma once

#include <benchmark/benchmark.h>

namespace pellucid::bench {

// A scene of 100,000 and one of 1,000,000 triangles, three iterations each, in milliseconds.
inline void TriangleRuns(benchmark::internal::Benchmark* runs) {
    runs->Arg(100000)->Arg(1000000)->Unit(benchmark::kMillisecond)->Iterations(3);
}

}  // namespace pellucid::bench
