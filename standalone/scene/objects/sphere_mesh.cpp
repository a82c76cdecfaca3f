#include "standalone/scene/objects/sphere_mesh.h"

#include <algorithm>
#include <cmath>
#include <numbers>

namespace pellucid::standalone {

namespace {

void AddFace(Mesh& mesh, int& face, DWORD a, DWORD b, DWORD c) {
    Face& f = mesh.faces[static_cast<size_t>(face++)];
    f.setVerts(a, b, c);
    f.setSmGroup(1);
    f.setMatID(0);
    f.setEdgeVisFlags(1, 1, 1);
}

}  // namespace

void BuildSphereMesh(Mesh& mesh, float radius, int segments) {
    const int s = std::clamp(segments, kMinSphereSegments, kMaxSphereSegments);
    const int bands = s / 2;
    const int rings = bands - 1;
    const int vertexCount = 2 + rings * s;
    mesh = Mesh();
    mesh.setNumVerts(vertexCount);
    mesh.setNumFaces(2 * s + 2 * s * (rings - 1));

    const double pi = std::numbers::pi;
    mesh.setVert(0, Point3(0.0f, 0.0f, radius));
    for (int ring = 0; ring < rings; ++ring) {
        const double phi = pi * (ring + 1) / bands;
        for (int j = 0; j < s; ++j) {
            const double theta = 2.0 * pi * j / s;
            mesh.setVert(1 + ring * s + j,
                         Point3(static_cast<float>(radius * std::sin(phi) * std::cos(theta)),
                                static_cast<float>(radius * std::sin(phi) * std::sin(theta)),
                                static_cast<float>(radius * std::cos(phi))));
        }
    }
    const DWORD south = static_cast<DWORD>(vertexCount - 1);
    mesh.setVert(static_cast<int>(south), Point3(0.0f, 0.0f, -radius));

    auto ringVertex = [s](int ring, int j) { return static_cast<DWORD>(1 + ring * s + (j % s)); };
    int face = 0;
    for (int j = 0; j < s; ++j) {
        AddFace(mesh, face, 0, ringVertex(0, j), ringVertex(0, j + 1));
    }
    for (int ring = 0; ring + 1 < rings; ++ring) {
        for (int j = 0; j < s; ++j) {
            const DWORD a = ringVertex(ring, j), b = ringVertex(ring + 1, j);
            const DWORD c = ringVertex(ring + 1, j + 1), d = ringVertex(ring, j + 1);
            AddFace(mesh, face, a, b, c);
            AddFace(mesh, face, c, d, a);
        }
    }
    for (int j = 0; j < s; ++j) {
        AddFace(mesh, face, south, ringVertex(rings - 1, j + 1), ringVertex(rings - 1, j));
    }
}

}  // namespace pellucid::standalone
