// Writes a scene document for the bone-script benchmark:
//   generate_bone_scene <bones> <keys> <out.pscene.json>
// One chain of <bones> bones under a MOVE node, each bone with <keys> rotation keys.
#include <cstdio>
#include <cstdlib>
#include <exception>

#include "bone_scene_generator.h"

int main(int argc, char** argv) {
    if (argc != 4) {
        std::fprintf(stderr, "usage: generate_bone_scene <bones> <keys> <out.pscene.json>\n");
        return 2;
    }
    const long bones = std::strtol(argv[1], nullptr, 10);
    const long keys = std::strtol(argv[2], nullptr, 10);
    if (bones < 1 || bones > 100000 || keys < 1 || keys > 1000000) {
        std::fprintf(stderr, "generate_bone_scene: bones and keys must be positive numbers\n");
        return 2;
    }
    try {
        pellucid::bench::WriteBoneChainScene(argv[3], static_cast<int>(bones),
                                             static_cast<int>(keys));
    } catch (const std::exception& error) {
        std::fprintf(stderr, "generate_bone_scene: %s\n", error.what());
        return 1;
    }
    return 0;
}
