#include <string>

#include "mesh_export/enum_mesh.h"
#include "mesh_export/materials.h"
#include "plugin/debug_log.h"

Mtl* GetMaterialPtr(INode* node, Mesh* mesh, int face) {
    Trace("GetMaterialPtr");
    Mtl* material = node->GetMtl();
    if (material == nullptr || material->ClassID() != multiMtlClassID) {
        return material;
    }
    const int count = material->NumSubMtls();
    if (count <= 0) {
        return nullptr;
    }
    return material->GetSubMtl(mesh->getFaceMtlIndex(face) % count);
}

int EnumMesh_t::GetMaterialIndex(Mtl* material) {
    Trace("GetMaterialIndex");
    const auto found = materialPositions_.find(material);
    return found != materialPositions_.end() ? found->second : -1;
}

void EnumMesh_t::CheckMaterialPtr(INode* node, Mesh* mesh, int face) {
    Trace("CheckMaterialPtr");
    Mtl* material = node->GetMtl();
    if (material == nullptr || material->ClassID() != multiMtlClassID) {
        return;
    }
    const int id = mesh->getFaceMtlIndex(face);
    if (id >= material->NumSubMtls()) {
        const std::string text = "Illegal material index " + std::to_string(id);
        Warn(text.c_str(), "Illegal material index");
    }
}

// The check runs once for each face that brings a new material; a face with a bad id whose wrapped
// sub-material is already listed raises no warning.
void EnumMesh_t::BuildMaterialList(INode* node, Mesh* mesh) {
    Trace("BuildMaterialList");
    for (int face = 0; face < mesh->getNumFaces(); ++face) {
        Mtl* material = GetMaterialPtr(node, mesh, face);
        if (GetMaterialIndex(material) != -1) {
            continue;
        }
        CheckMaterialPtr(node, mesh, face);
        if (numMaterials < MAX_MATERIALS) {
            materialPositions_.emplace(material, numMaterials);
            materials.push_back(material);
            ++numMaterials;
        }
    }
}
