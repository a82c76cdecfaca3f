#include <array>
#include <map>
#include <utility>

#include "objects/collbox_parts.h"

namespace {

// Corners of each side, counter-clockwise seen from outside: bottom, top, then the sides at
// y = -L/2, x = +W/2, y = +L/2 and x = -W/2.
constexpr int kSides[6][4] = {{0, 3, 2, 1}, {4, 5, 6, 7}, {0, 1, 5, 4},
                              {1, 2, 6, 5}, {2, 3, 7, 6}, {3, 0, 4, 7}};
// The twelve edges: bottom ring, top ring, uprights.
constexpr int kEdges[12][2] = {{0, 1}, {1, 2}, {2, 3}, {3, 0}, {4, 5}, {5, 6},
                               {6, 7}, {7, 4}, {0, 4}, {1, 5}, {2, 6}, {3, 7}};
// Map corners of every patch: (0,0), (1,0), (1,1), (0,1) in corner order.
constexpr int kMapCorners[4] = {3, 0, 1, 2};

}  // namespace

void BuildCollBoxPatch(PatchMesh& patch, float length, float width, float height, bool mapping) {
    const float x = width / 2.0f;
    const float y = length / 2.0f;
    patch = PatchMesh();
    patch.setNumVerts(8);
    patch.setNumVecs(48);
    patch.setNumPatches(6);
    const Point3 corners[8] = {{-x, -y, 0.0f},   {x, -y, 0.0f},   {x, y, 0.0f},   {-x, y, 0.0f},
                               {-x, -y, height}, {x, -y, height}, {x, y, height}, {-x, y, height}};
    for (int i = 0; i < 8; ++i) {
        patch.setVert(i, corners[i]);
    }
    // Edge e has vector 2e near its first corner and 2e + 1 near its second.
    std::map<std::pair<int, int>, int> vectorNear;
    const float third = 1.0f / 3.0f;
    for (int e = 0; e < 12; ++e) {
        const int a = kEdges[e][0];
        const int b = kEdges[e][1];
        const Point3 along = corners[b] - corners[a];
        patch.setVec(2 * e, corners[a] + along * third);
        patch.setVec(2 * e + 1, corners[b] - along * third);
        vectorNear[{a, b}] = 2 * e;
        vectorNear[{b, a}] = 2 * e + 1;
    }
    for (int s = 0; s < 6; ++s) {
        const int* c = kSides[s];
        const auto vec = [&](int from, int to) { return vectorNear[{c[from], c[to]}]; };
        const int interior = 24 + 4 * s;
        patch.MakeQuadPatch(s, c[0], vec(0, 1), vec(1, 0), c[1], vec(1, 2), vec(2, 1), c[2],
                            vec(2, 3), vec(3, 2), c[3], vec(3, 0), vec(0, 3), interior,
                            interior + 1, interior + 2, interior + 3, 1u << s);
    }
    if (mapping) {
        patch.setNumMapVerts(4);
        patch.mapVerts[0] = UVVert(1.0f, 0.0f, 0.0f);
        patch.mapVerts[1] = UVVert(1.0f, 1.0f, 0.0f);
        patch.mapVerts[2] = UVVert(0.0f, 1.0f, 0.0f);
        patch.mapVerts[3] = UVVert(0.0f, 0.0f, 0.0f);
        patch.setNumMapPatches(6);
        for (TVPatch& tv : patch.mapPatches) {
            std::copy(std::begin(kMapCorners), std::end(kMapCorners), tv.tv);
        }
    }
    patch.buildLinkages();
    patch.computeInteriors();
}
