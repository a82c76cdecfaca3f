// The triangle mesh of the sphere primitive.
#pragma once

#include "host/mesh.h"

namespace pellucid::standalone {

constexpr int kMinSphereSegments = 4;
constexpr int kMaxSphereSegments = 200;

// A UV sphere of `radius` about the origin with `segments` meridians (clamped to 4..200) and
// segments/2 bands from pole to pole: a vertex at each pole, rings of `segments` vertices between
// them, triangle fans at the poles and two triangles per quad elsewhere, all facing out, in
// smoothing group 1 with material id 0 and no texture coordinates.
void BuildSphereMesh(Mesh& mesh, float radius, int segments);

}  // namespace pellucid::standalone
