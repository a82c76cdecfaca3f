#include "standalone/interchange/smoothing_groups.h"

#include <algorithm>
#include <bit>
#include <cmath>
#include <numeric>

namespace pellucid::interchange {

namespace {

// Faces around each vertex, as offsets into one list (compressed rows).
struct VertexFaces {
    std::vector<std::uint32_t> start;  // vertexCount + 1
    std::vector<std::uint32_t> faces;
};

VertexFaces GatherVertexFaces(const std::vector<std::array<std::uint32_t, 3>>& faces,
                              std::size_t vertexCount) {
    VertexFaces around;
    around.start.assign(vertexCount + 1, 0);
    for (const auto& face : faces) {
        for (std::uint32_t v : face) {
            ++around.start[v + 1];
        }
    }
    std::partial_sum(around.start.begin(), around.start.end(), around.start.begin());
    around.faces.resize(faces.size() * 3);
    std::vector<std::uint32_t> fill(around.start.begin(), around.start.end() - 1);
    for (std::uint32_t f = 0; f < faces.size(); ++f) {
        for (std::uint32_t v : faces[f]) {
            around.faces[fill[v]++] = f;
        }
    }
    return around;
}

class Regions {
  public:
    explicit Regions(std::size_t count) : parent_(count) {
        std::iota(parent_.begin(), parent_.end(), 0u);
    }
    std::uint32_t Find(std::uint32_t x) {
        while (parent_[x] != x) {
            parent_[x] = parent_[parent_[x]];
            x = parent_[x];
        }
        return x;
    }
    void Join(std::uint32_t a, std::uint32_t b) {
        a = Find(a);
        b = Find(b);
        if (a != b) {
            // The lower face stays the root, so regions are numbered in face order.
            parent_[std::max(a, b)] = std::min(a, b);
        }
    }

  private:
    std::vector<std::uint32_t> parent_;
};

Point3 Unit(const Point3& n) {
    const float length = std::sqrt(n.x * n.x + n.y * n.y + n.z * n.z);
    if (!(length > 0.0f) || !std::isfinite(length)) {
        return Point3();
    }
    return Point3(n.x / length, n.y / length, n.z / length);
}

constexpr float kAgreement = 0.999f;  // cosine of about 2.56 degrees

bool Agree(const Point3& a, const Point3& b) {
    return a.x * b.x + a.y * b.y + a.z * b.z >= kAgreement;
}

int CornerOf(const std::array<std::uint32_t, 3>& face, std::uint32_t v) {
    return face[0] == v ? 0 : (face[1] == v ? 1 : (face[2] == v ? 2 : -1));
}

}  // namespace

SmoothingResult DeriveSmoothingGroups(const std::vector<std::array<std::uint32_t, 3>>& faces,
                                      const std::vector<Point3>& cornerNormals,
                                      std::size_t vertexCount) {
    SmoothingResult result;
    const std::size_t faceCount = faces.size();
    std::vector<Point3> normals(cornerNormals.size());
    std::transform(cornerNormals.begin(), cornerNormals.end(), normals.begin(), Unit);
    const VertexFaces around = GatherVertexFaces(faces, vertexCount);

    Regions regions(faceCount);
    for (std::uint32_t f = 0; f < faceCount; ++f) {
        const auto& face = faces[f];
        for (int k = 0; k < 3; ++k) {
            const std::uint32_t a = face[k];
            const std::uint32_t b = face[(k + 1) % 3];
            if (a == b) {
                continue;
            }
            for (std::uint32_t i = around.start[a]; i < around.start[a + 1]; ++i) {
                const std::uint32_t g = around.faces[i];
                if (g <= f) {
                    continue;
                }
                const int ga = CornerOf(faces[g], a);
                const int gb = CornerOf(faces[g], b);
                if (gb < 0) {
                    continue;
                }
                if (Agree(normals[f * 3 + k], normals[g * 3 + ga]) &&
                    Agree(normals[f * 3 + (k + 1) % 3], normals[g * 3 + gb])) {
                    regions.Join(f, g);
                }
            }
        }
    }

    // Number the regions in order of their first face.
    std::vector<std::uint32_t> regionOf(faceCount);
    std::vector<std::int32_t> numberOfRoot(faceCount, -1);
    for (std::uint32_t f = 0; f < faceCount; ++f) {
        const std::uint32_t root = regions.Find(f);
        if (numberOfRoot[root] < 0) {
            numberOfRoot[root] = result.regions++;
        }
        regionOf[f] = static_cast<std::uint32_t>(numberOfRoot[root]);
    }

    // Regions that meet at a vertex are neighbours.
    std::vector<std::pair<std::uint32_t, std::uint32_t>> touching;
    std::vector<std::uint32_t> here;
    for (std::size_t v = 0; v < vertexCount; ++v) {
        here.clear();
        for (std::uint32_t i = around.start[v]; i < around.start[v + 1]; ++i) {
            here.push_back(regionOf[around.faces[i]]);
        }
        std::sort(here.begin(), here.end());
        here.erase(std::unique(here.begin(), here.end()), here.end());
        for (std::size_t i = 0; i < here.size(); ++i) {
            for (std::size_t j = i + 1; j < here.size(); ++j) {
                touching.emplace_back(here[j], here[i]);
            }
        }
    }
    std::sort(touching.begin(), touching.end());
    touching.erase(std::unique(touching.begin(), touching.end()), touching.end());

    // Greedy colouring in region order: each region takes the lowest bit that no earlier
    // neighbour holds. `touching` lists (later, earlier) pairs sorted by the later region.
    std::vector<std::uint32_t> bitOf(static_cast<std::size_t>(result.regions), 0);
    std::size_t next = 0;
    for (std::uint32_t r = 0; r < static_cast<std::uint32_t>(result.regions); ++r) {
        std::uint32_t taken = 0;
        for (; next < touching.size() && touching[next].first == r; ++next) {
            taken |= bitOf[touching[next].second];
        }
        std::uint32_t bit = 0;
        if (taken == 0xffffffffu) {
            ++result.crowdedRegions;
            bit = 1u << (r % 32);
        } else {
            bit = 1u << std::countr_one(taken);
        }
        bitOf[r] = bit;
    }
    result.groups.resize(faceCount);
    for (std::size_t f = 0; f < faceCount; ++f) {
        result.groups[f] = bitOf[regionOf[f]];
    }
    return result;
}

}  // namespace pellucid::interchange
