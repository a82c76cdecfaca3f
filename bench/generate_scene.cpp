// Writes a large scene document for the mesh-export benchmark:
//   generate_scene <triangles> <out.pscene.json>
// The big arrays go to <out.pscene.json>.bin beside it.
#include "generator_main.h"
#include "scene_generator.h"

int main(int argc, char** argv) {
    return pellucid::bench::RunTriangleGenerator(argc, argv, "generate_scene", "<out.pscene.json>",
                                                 [](long triangles, const std::string& path) {
                                                     pellucid::bench::WriteGridScene(path,
                                                                                     triangles);
                                                 });
}
