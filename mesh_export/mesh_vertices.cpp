#include "host/decomp.h"
#include "host/transform_helpers.h"
#include "mesh_export/enum_mesh.h"
#include "mesh_export/script_line.h"
#include "plugin/debug_log.h"

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
