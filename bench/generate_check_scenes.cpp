// Writes the check benchmarks' scenes by hand, for measuring other tools on the same triangles:
//   generate_check_scenes <triangles> <folder>
// gives <folder>/torus.pscene.json (+ .bin), <folder>/torus.stl and <folder>/level.pscene.json.
#include <cstdio>
#include <cstdlib>
#include <exception>
#include <string>

#include "check_scene_generator.h"

int main(int argc, char** argv) {
    if (argc != 3) {
        std::fprintf(stderr, "usage: generate_check_scenes <triangles> <folder>\n");
        return 2;
    }
    const long triangles = std::strtol(argv[1], nullptr, 10);
    if (triangles <= 0) {
        std::fprintf(stderr, "generate_check_scenes: the triangle count must be positive\n");
        return 2;
    }
    const std::string folder = argv[2];
    try {
        const auto torus = pellucid::bench::TorusMesh(triangles);
        pellucid::bench::WriteCheckScene(folder + "/torus.pscene.json", torus, {"hull_M"});
        pellucid::bench::WriteBinaryStl(folder + "/torus.stl", torus);
        pellucid::bench::WriteCheckScene(folder + "/level.pscene.json",
                                         pellucid::bench::LevelMesh(triangles, 16),
                                         pellucid::bench::LevelMaterialNames());
    } catch (const std::exception& error) {
        std::fprintf(stderr, "generate_check_scenes: %s\n", error.what());
        return 1;
    }
    return 0;
}
