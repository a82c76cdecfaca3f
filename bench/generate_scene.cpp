// Writes a large scene document for the mesh-export benchmark:
//   generate_scene <triangles> <out.pscene.json>
// The big arrays go to <out.pscene.json>.bin beside it.
#include <cstdio>
#include <cstdlib>
#include <exception>

#include "scene_generator.h"

int main(int argc, char** argv) {
    if (argc != 3) {
        std::fprintf(stderr, "usage: generate_scene <triangles> <out.pscene.json>\n");
        return 2;
    }
    const long triangles = std::strtol(argv[1], nullptr, 10);
    if (triangles <= 0) {
        std::fprintf(stderr, "generate_scene: the triangle count must be a positive number\n");
        return 2;
    }
    try {
        pellucid::bench::WriteGridScene(argv[2], triangles);
    } catch (const std::exception& error) {
        std::fprintf(stderr, "generate_scene: %s\n", error.what());
        return 1;
    }
    return 0;
}
