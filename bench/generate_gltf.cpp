// Writes glTF assets of our own making:
//   generate_gltf grid <triangles> <out.gltf>      a flat grid (the speed comparison's input)
//   generate_gltf character <out.gltf> [imageUri]  the bundled example character
// The binary data goes to a .bin file beside the .gltf.
#include <cstdio>
#include <cstdlib>
#include <exception>
#include <string>

#include "gltf_character.h"
#include "gltf_writer.h"

int main(int argc, char** argv) {
    try {
        const std::string what = argc > 1 ? argv[1] : "";
        if (what == "grid" && argc == 4) {
            const long triangles = std::strtol(argv[2], nullptr, 10);
            if (triangles <= 0) {
                std::fprintf(stderr, "generate_gltf: the triangle count must be positive\n");
                return 2;
            }
            pellucid::bench::WriteGridGltf(argv[3], triangles);
            return 0;
        }
        if (what == "character" && (argc == 3 || argc == 4)) {
            pellucid::bench::WriteCharacterGltf(argv[2],
                                                argc == 4 ? argv[3] : "textures/character.png");
            return 0;
        }
    } catch (const std::exception& error) {
        std::fprintf(stderr, "generate_gltf: %s\n", error.what());
        return 1;
    }
    std::fprintf(stderr,
                 "usage: generate_gltf grid <triangles> <out.gltf>\n"
                 "       generate_gltf character <out.gltf> [imageUri]\n");
    return 2;
}
