// The shared main of the scene generators called as `<name> <triangles> <path>`.
#pragma once

#include <cstdio>
#include <cstdlib>
#include <exception>
#include <string>

namespace pellucid::bench {

// Checks the two arguments, then runs write(triangles, path). 2 after a usage or count message,
// 1 when writing throws (its message on standard error), else 0.
template <typename Write>
int RunTriangleGenerator(int argc, char** argv, const char* name, const char* pathArgument,
                         const Write& write) {
    if (argc != 3) {
        std::fprintf(stderr, "usage: %s <triangles> %s\n", name, pathArgument);
        return 2;
    }
    const long triangles = std::strtol(argv[1], nullptr, 10);
    if (triangles <= 0) {
        std::fprintf(stderr, "%s: the triangle count must be positive\n", name);
        return 2;
    }
    try {
        write(triangles, std::string(argv[2]));
    } catch (const std::exception& error) {
        std::fprintf(stderr, "%s: %s\n", name, error.what());
        return 1;
    }
    return 0;
}

}  // namespace pellucid::bench
