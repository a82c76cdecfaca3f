// Writes the check benchmarks' scenes by hand, for measuring other tools on the same triangles:
//   generate_check_scenes <triangles> <folder>
// gives <folder>/torus.pscene.json (+ .bin), <folder>/torus.stl and <folder>/level.pscene.json.
#include "check_scene_generator.h"
#include "generator_main.h"

int main(int argc, char** argv) {
    return pellucid::bench::RunTriangleGenerator(
        argc, argv, "generate_check_scenes", "<folder>",
        [](long triangles, const std::string& folder) {
            const auto torus = pellucid::bench::TorusMesh(triangles);
            pellucid::bench::WriteCheckScene(folder + "/torus.pscene.json", torus, {"hull_M"});
            pellucid::bench::WriteBinaryStl(folder + "/torus.stl", torus);
            pellucid::bench::WriteCheckScene(folder + "/level.pscene.json",
                                             pellucid::bench::LevelMesh(triangles, 16),
                                             pellucid::bench::LevelMaterialNames());
        });
}
