// Geometry sections: the object header, vertices, faces and texture coordinates.
#include <algorithm>
#include <array>
#include <cmath>
#include <optional>
#include <utility>
#include <vector>

#include "host/decomp.h"
#include "host/transform_helpers.h"
#include "mesh_export/enum_mesh.h"
#include "mesh_export/materials.h"
#include "script/script_line.h"
#include "services/debug_log.h"

namespace {

// Marks a tiling that no diffuse bitmap has set.
constexpr float kNoTiling = -1.123f;

// A texture vertex of the face's texture face; a missing one reads as the origin.
UVVert TextureVertex(const Mesh& mesh, int face, int corner) {
    const DWORD t = mesh.tvFace[static_cast<size_t>(face)].t[corner];
    return t < mesh.tVerts.size() ? mesh.tVerts[t] : UVVert();
}

}  // namespace

void EnumMesh_t::OutputMeshNewObject(Object*, INode* node) {
    Trace("OutputMeshNewObject");
    *out << "NewObject(\"" << node->GetName() << "\");" << endl;
}

// Vertices in the node's pivot space with the node's own scale applied, without its rotation and
// position.
void EnumMesh_t::OutputMeshVertices(INode* node, Mesh* mesh) {
    Trace("OutputMeshVertices");
    const Matrix3 offset = GetObjectOffsetTM(node, true);
    const Point3 scale = GetVertexScale(node);
    ScriptLine line(*out);
    for (int i = 0; i < mesh->getNumVerts(); ++i) {
        const Point3 p = mesh->getVert(i) * offset;
        line.Start("Vertex(").Int(i).Point(Point3(p.x * scale.x, p.y * scale.y, p.z * scale.z));
        line.End();
    }
}

// The scale of the object transform without the object-offset scale; a mirrored node has its z
// negated. A zero component of the offset scale divides as floats do (infinite or NaN scale).
Point3 EnumMesh_t::GetVertexScale(INode* node) {
    AffineParts parts;
    decomp_affine(node->GetObjectTM(time), &parts);
    const Point3 offsetScale = node->GetObjOffsetScale().s;
    Point3 s(parts.k.x / offsetScale.x, parts.k.y / offsetScale.y, parts.k.z / offsetScale.z);
    if (s.x < 0.0f && s.y < 0.0f && s.z < 0.0f) {
        s = -s;
    }
    INode* parent = node->GetParentNode();
    Matrix3 local = node->GetNodeTM(time);
    if (parent != nullptr) {
        local = local * Inverse(parent->GetNodeTM(time));
    }
    local.NoScale();
    const float d = Normalize(local.GetRow(0) ^ local.GetRow(1)) % Normalize(local.GetRow(2));
    if (d < 0.0f) {
        s.z = -s.z;
    }
    return s;
}

float EnumMesh_t::GetMirrorSign(INode* node) {
    AffineParts parts;
    decomp_affine(node->GetObjTMAfterWSM(time), &parts);
    return parts.f;
}

// Corners are written 0, 2, 1 (the engine's winding) unless the object mirrors, which turns the
// winding over by itself.
void EnumMesh_t::OutputMeshFaces(INode* node, Mesh* mesh) {
    Trace("OutputMeshFaces");
    const bool mirrored = GetMirrorSign(node) == -1.0f;
    const int second = mirrored ? 1 : 2;
    const int third = mirrored ? 2 : 1;
    ScriptLine line(*out);
    for (int i = 0; i < mesh->getNumFaces(); ++i) {
        const Face& face = mesh->faces[static_cast<size_t>(i)];
        int na = 0, nb = 0, nc = 0;
        if (normals != nullptr) {
            na = normals->CornerNormal(i, 0);
            nb = normals->CornerNormal(i, second);
            nc = normals->CornerNormal(i, third);
        }
        const int material = GetMaterialIndex(GetMaterialPtr(node, mesh, i));
        line.Start("Face(").Int(i).Int(face.v[0]).Int(face.v[second]).Int(face.v[third]);
        line.Int(na).Int(nb).Int(nc).Int(material).End();
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
