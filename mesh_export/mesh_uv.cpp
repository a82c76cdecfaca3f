#include <algorithm>
#include <array>
#include <cmath>
#include <optional>
#include <unordered_set>
#include <utility>
#include <vector>

#include "mesh_export/enum_mesh.h"
#include "mesh_export/materials.h"
#include "mesh_export/script_line.h"
#include "plugin/debug_log.h"

namespace {

// Marks a tiling that no diffuse bitmap has set.
constexpr float kNoTiling = -1.123f;

// A texture vertex of the face's texture face; a missing one reads as the origin.
UVVert TextureVertex(const Mesh& mesh, int face, int corner) {
    const DWORD t = mesh.tvFace[static_cast<size_t>(face)].t[corner];
    return t < mesh.tVerts.size() ? mesh.tVerts[t] : UVVert();
}

}  // namespace

// A map met twice on the chain ends it, so a document that loops its maps cannot hang the export.
void GetUVScale(float* uScale, float* vScale, Mtl* material) {
    Texmap* map = material->GetSubTexmap(1);
    std::unordered_set<Texmap*> seen;
    while (map != nullptr && seen.insert(map).second) {
        if (map->ClassID() == bmTexClassID) {
            auto* bitmap = dynamic_cast<BitmapTex*>(map);
            StdUVGen* uv = bitmap != nullptr ? bitmap->GetUVGen() : nullptr;
            if (uv != nullptr) {
                *uScale = uv->GetUScl(0);
                *vScale = uv->GetVScl(0);
            }
            return;
        }
        if (map->ClassID() != rgbMultClassID) {
            return;
        }
        map = map->GetSubTexmap(1);
    }
}

// Texture triangles of the faces whose material is listed and named; the tiling of each material
// is looked up once.
void EnumMesh_t::OutputMeshUV(INode* node, Mesh* mesh) {
    Trace("OutputMeshUV");
    if (mesh->tvFace.empty()) {
        return;
    }
    const bool mirrored = GetMirrorSign(node) == -1.0f;
    const int second = mirrored ? 1 : 2;
    const int third = mirrored ? 2 : 1;
    std::vector<std::optional<std::pair<float, float>>> tilings(materials.size());
    ScriptLine line(*out);
    const int faceCount = std::min(mesh->getNumFaces(), static_cast<int>(mesh->tvFace.size()));
    for (int i = 0; i < faceCount; ++i) {
        Mtl* material = GetMaterialPtr(node, mesh, i);
        if (material == nullptr) {
            continue;
        }
        const int index = GetMaterialIndex(material);
        const char* name = material->GetName();
        if (name == nullptr || name[0] == '\0' || index == -1) {
            continue;
        }
        std::optional<std::pair<float, float>>& tiling = tilings[static_cast<size_t>(index)];
        if (!tiling) {
            float uScale = kNoTiling;
            float vScale = kNoTiling;
            GetUVScale(&uScale, &vScale, material);
            if (uScale == kNoTiling && vScale == kNoTiling) {
                uScale = vScale = 1.0f;
            }
            tiling.emplace(uScale, vScale);
        }
        const auto [uScale, vScale] = *tiling;
        const std::array<UVVert, 3> t = {TextureVertex(*mesh, i, 0), TextureVertex(*mesh, i, 1),
                                         TextureVertex(*mesh, i, 2)};
        for (const UVVert& tv : t) {
            if (std::isnan(tv.x) || std::isnan(tv.y)) {
                Warn("Illegal UV coordinate.", "Warning");
                return;
            }
        }
        const UVVert& b = t[static_cast<size_t>(second)];
        const UVVert& c = t[static_cast<size_t>(third)];
        line.Start("UV(").Int(i).Float(t[0].x * uScale).Float(t[0].y * vScale);
        line.Float(b.x * uScale).Float(b.y * vScale).Float(c.x * uScale).Float(c.y * vScale).End();
    }
}
