// Fuzz entry point of the ZUT reader (libFuzzer): the input is read as a ZUT object file and its
// section built into a mesh, as the importer does. Every input must end in a section within the
// importer's stores and a mesh whose faces name only its own vertices; anything else (a crash, a
// sanitizer report, a broken invariant) is a finding. Not part of the default build: see README.md
// in this folder.
#include <cstddef>
#include <cstdint>
#include <sstream>
#include <string>

#include "exchange/zut_import.h"
#include "fuzz_require.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    std::istringstream in(std::string(reinterpret_cast<const char*>(data), size));
    const ZutSection section = ReadZutSection(in);
    Require(section.vertices.size() <= kZutVertexLimit, "vertex store");
    Require(section.faces.size() <= kZutFaceLimit, "face store");
    Require(section.found || (section.vertices.empty() && section.faces.empty()),
            "lines without a section");
    const Mesh mesh = BuildZutMesh(section);
    Require(mesh.getNumVerts() == static_cast<int>(section.vertices.size()), "vertex count");
    Require(mesh.getNumTVerts() == mesh.getNumVerts(), "texture vertex count");
    for (const Face& face : mesh.faces) {
        for (DWORD corner : face.v) {
            Require(corner < static_cast<DWORD>(mesh.getNumVerts()), "face corner");
        }
        Require(face.flags == EDGE_ALL, "face flags");
    }
    return 0;
}
