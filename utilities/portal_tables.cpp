#include "utilities/portal_tables.h"

#include <algorithm>
#include <cctype>
#include <cstdint>
#include <cstdlib>
#include <string>
#include <utility>

#include "mesh_export/materials.h"

namespace {

// The edge-pair and vertex memberships of the faces, sorted for lookup: the faces that hold both
// vertices of a pair, or a single vertex.
class FaceAdjacency {
  public:
    explicit FaceAdjacency(const Mesh& mesh) {
        const size_t faces = mesh.faces.size();
        pairs_.reserve(faces * 3);
        vertices_.reserve(faces * 3);
        for (size_t f = 0; f < faces; ++f) {
            const DWORD* v = mesh.faces[f].v;
            const auto face = static_cast<std::uint32_t>(f);
            const std::uint64_t keys[3] = {PairKey(v[0], v[1]), PairKey(v[0], v[2]),
                                           PairKey(v[1], v[2])};
            for (int k = 0; k < 3; ++k) {
                // A face lists a pair once, however often its corners repeat it.
                bool repeated = false;
                for (int e = 0; e < k; ++e) {
                    repeated = repeated || keys[e] == keys[k];
                }
                if (!repeated) {
                    pairs_.emplace_back(keys[k], face);
                }
            }
            for (int c = 0; c < 3; ++c) {
                if ((c == 1 && v[1] == v[0]) || (c == 2 && (v[2] == v[0] || v[2] == v[1]))) {
                    continue;
                }
                vertices_.emplace_back(v[c], face);
            }
        }
        std::sort(pairs_.begin(), pairs_.end());
        std::sort(vertices_.begin(), vertices_.end());
    }

    // Calls visit for every face that uses both a and b (a alone when they are equal).
    template <typename Visit>
    void ForFacesWith(DWORD a, DWORD b, Visit&& visit) const {
        if (a == b) {
            auto range = std::equal_range(vertices_.begin(), vertices_.end(),
                                          std::make_pair(a, std::uint32_t{0}), CompareFirst{});
            for (auto it = range.first; it != range.second; ++it) {
                visit(it->second);
            }
            return;
        }
        const std::uint64_t key = PairKey(a, b);
        auto range = std::equal_range(pairs_.begin(), pairs_.end(),
                                      std::make_pair(key, std::uint32_t{0}), CompareFirst{});
        for (auto it = range.first; it != range.second; ++it) {
            visit(it->second);
        }
    }

  private:
    struct CompareFirst {
        template <typename A, typename B>
        bool operator()(const A& x, const B& y) const {
            return x.first < y.first;
        }
    };
    static std::uint64_t PairKey(DWORD a, DWORD b) {
        return (static_cast<std::uint64_t>(std::max(a, b)) << 32) | std::min(a, b);
    }

    std::vector<std::pair<std::uint64_t, std::uint32_t>> pairs_;
    std::vector<std::pair<DWORD, std::uint32_t>> vertices_;
};

}  // namespace

int PortalNumber(const char* materialName) {
    // The name is read as an upper-cased copy of at most 2047 characters.
    std::string upper(materialName != nullptr ? materialName : "");
    if (upper.size() > 2047) {
        upper.resize(2047);
    }
    for (char& c : upper) {
        if (c >= 'a' && c <= 'z') {
            c = static_cast<char>(c - 'a' + 'A');
        }
    }
    const size_t at = upper.find("PORTAL");
    if (at == std::string::npos) {
        return -1;
    }
    const std::string digits = upper.substr(at + 6, 4);
    return std::atoi(digits.c_str());
}

std::vector<int> CollectPortalTable(INode* node, Mesh& mesh) {
    std::vector<int> table(static_cast<size_t>(mesh.getNumFaces()), -1);
    for (int f = 0; f < mesh.getNumFaces(); ++f) {
        Mtl* material = GetMaterialPtr(node, &mesh, f);
        if (material != nullptr) {
            table[static_cast<size_t>(f)] = PortalNumber(material->GetName());
        }
    }
    return table;
}

int PortalCount(const std::vector<int>& portalTable) {
    bool any = false;
    int largest = 0;
    for (int number : portalTable) {
        if (number == -1) {
            continue;
        }
        largest = any ? std::max(largest, number) : number;
        any = true;
    }
    return any ? largest + 1 : 0;
}

std::vector<int> CollectSectorTable(const Mesh& mesh, const std::vector<int>& portalTable,
                                    int& sectorCount) {
    const size_t faces = mesh.faces.size();
    std::vector<int> sectors(faces, -1);
    sectorCount = 0;
    const FaceAdjacency adjacency(mesh);
    // The flood reaches the same faces whatever the order of its visits, so a work list serves
    // where a recursion would be as deep as the largest sector.
    std::vector<std::uint32_t> pending;
    for (size_t start = 0; start < faces && start < portalTable.size(); ++start) {
        if (sectors[start] != -1 || portalTable[start] == -1) {
            continue;
        }
        const int sector = sectorCount;
        sectors[start] = sector;
        pending.push_back(static_cast<std::uint32_t>(start));
        while (!pending.empty()) {
            const std::uint32_t face = pending.back();
            pending.pop_back();
            const DWORD* v = mesh.faces[face].v;
            constexpr int kPairs[3][2] = {{0, 1}, {0, 2}, {1, 2}};
            for (const auto& pair : kPairs) {
                adjacency.ForFacesWith(v[pair[0]], v[pair[1]], [&](std::uint32_t other) {
                    if (sectors[other] == -1) {
                        sectors[other] = sector;
                        pending.push_back(other);
                    }
                });
            }
        }
        ++sectorCount;
    }
    return sectors;
}
