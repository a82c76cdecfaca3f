#include "utilities/check_volume.h"

#include <algorithm>
#include <bit>

#include "mesh_export/materials.h"
#include "resources/resource_ids.h"

namespace {

const PanelButton kButtons[] = {{IDC_CHECK_VOLUME, "Check volume"}};
const int kStatusLines[] = {IDC_STATUS};
const PanelDescription kPanel = {IDD_CHECKVOLUME, "Check Volume", kButtons, kStatusLines};

constexpr std::uint64_t kEmptySlot = ~std::uint64_t{0};

std::uint64_t EdgeKey(DWORD a, DWORD b) {
    const DWORD lo = std::min(a, b);
    const DWORD hi = std::max(a, b);
    return (static_cast<std::uint64_t>(hi) << 32) | lo;
}

std::uint64_t Mix(std::uint64_t key) {
    key ^= key >> 33;
    key *= 0xff51afd7ed558ccdULL;
    key ^= key >> 33;
    return key;
}

// An open-addressing index from edge key to entry, sized for three new edges per face: it never
// fills, so no probe runs forever and no rehash is needed.
class EdgeIndex {
  public:
    explicit EdgeIndex(size_t maxEntries)
        : keys_(std::bit_ceil(std::max<size_t>(maxEntries * 2, 16)), kEmptySlot),
          entries_(keys_.size(), 0),
          mask_(keys_.size() - 1) {}

    // The entry of `key`, or `fresh` after recording it there.
    std::uint32_t FindOrAdd(std::uint64_t key, std::uint32_t fresh, bool& added) {
        size_t slot = Mix(key) & mask_;
        while (keys_[slot] != kEmptySlot) {
            if (keys_[slot] == key) {
                added = false;
                return entries_[slot];
            }
            slot = (slot + 1) & mask_;
        }
        keys_[slot] = key;
        entries_[slot] = fresh;
        added = true;
        return fresh;
    }

  private:
    std::vector<std::uint64_t> keys_;
    std::vector<std::uint32_t> entries_;
    size_t mask_;
};

bool CheckMesh(INode* node, Mesh& mesh, std::vector<int>& bad) {
    const std::vector<EdgeEntry> edges = BuildEdgeTable(mesh);
    std::vector<bool> marked(static_cast<size_t>(mesh.getNumFaces()), false);
    bool failed = false;
    for (const EdgeEntry& edge : edges) {
        if (edge.useCount % 2 == 0) {
            continue;
        }
        Mtl* material = GetMaterialPtr(node, &mesh, edge.owner);
        if (material == nullptr || !NameHasKeyword(material->GetName(), "OPEN_")) {
            marked[static_cast<size_t>(edge.owner)] = true;
            failed = true;
        }
    }
    for (size_t f = 0; f < marked.size(); ++f) {
        if (marked[f]) {
            bad.push_back(static_cast<int>(f));
        }
    }
    return failed;
}

}  // namespace

std::vector<EdgeEntry> BuildEdgeTable(const Mesh& mesh) {
    std::vector<EdgeEntry> edges;
    const size_t capacity = mesh.faces.size() * 3;
    edges.reserve(capacity);
    EdgeIndex index(capacity);
    for (size_t f = 0; f < mesh.faces.size(); ++f) {
        const Face& face = mesh.faces[f];
        for (int j = 0; j < 3; ++j) {
            const DWORD a = face.v[j];
            const DWORD b = face.v[(j + 1) % 3];
            bool added = false;
            const std::uint32_t entry =
                index.FindOrAdd(EdgeKey(a, b), static_cast<std::uint32_t>(edges.size()), added);
            if (added) {
                edges.push_back({a, b, 1, static_cast<int>(f)});
            } else {
                ++edges[entry].useCount;
            }
        }
    }
    return edges;
}

const MarkingCheck kCheckVolume = {IDC_CHECK_VOLUME, IDC_STATUS, CheckVolumeNode, "Volume OK",
                                   "Volume not OK."};

CheckFindings CheckVolumeNode(INode* node) {
    return CheckSceneMeshes(node, CheckMesh);
}

CheckVolume::CheckVolume() : MarkingCheckPanel(kPanel, kCheckVolume) {}
