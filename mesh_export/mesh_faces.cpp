#include "host/decomp.h"
#include "mesh_export/enum_mesh.h"
#include "mesh_export/materials.h"
#include "mesh_export/script_line.h"
#include "plugin/debug_log.h"

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
