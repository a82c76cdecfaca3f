// Smoothing groups from the normals that a file gives at each face corner: faces that meet along
// an edge with the same normals at both of its ends are smoothed together; anywhere else the edge
// is hard. Each smoothly joined region gets one group bit, chosen so that regions meeting at a
// vertex across a hard edge never share a bit.
#pragma once

#include <array>
#include <cstdint>
#include <vector>

#include "host/point3.h"

namespace pellucid::interchange {

struct SmoothingResult {
    std::vector<std::uint32_t> groups;  // one word per face, one bit set
    int regions = 0;
    // Regions that had to share a bit with a neighbour because all 32 were taken around them.
    int crowdedRegions = 0;
};

// `faces` index `vertexCount` welded vertices; `cornerNormals` holds three normals per face, in
// corner order. Normals agree when their directions are within about two and a half degrees.
SmoothingResult DeriveSmoothingGroups(const std::vector<std::array<std::uint32_t, 3>>& faces,
                                      const std::vector<Point3>& cornerNormals,
                                      std::size_t vertexCount);

}  // namespace pellucid::interchange
