// The mesh worker: its life, its message boxes, and the main object's block in section order.
#include "mesh_export/enum_mesh.h"

#include "bone_export/enum_bone.h"
#include "host/render_mesh.h"
#include "services/debug_log.h"

EnumMesh_t::EnumMesh_t(TextStream* stream, TimeValue t, Interface* host, const char*)
    : out(stream), time(t), ip(host) {
    Trace("EnumMesh_t");
    INode* root = ip != nullptr ? ip->GetRootNode() : nullptr;
    if (root != nullptr) {
        boneTree = std::make_unique<BoneTree>(root, ip);
        if (boneTree->boneCount > 0) {
            boneTree->AddPhysiqueWeights();
        }
    }
}

EnumMesh_t::~EnumMesh_t() {
    Trace("~EnumMesh_t");
}

HWND EnumMesh_t::MessageOwner() {
    return ip != nullptr ? ip->GetMAXHWnd() : nullptr;
}

void EnumMesh_t::Warn(const char* text, const char* caption) {
    MessageBox(MessageOwner(), text, caption, MB_OK);
}

// The main object's block, section by section; every section reads the same render mesh.
void EnumMesh_t::OutputMesh(INode* node, Object* object) {
    Trace("OutputMesh");
    RenderMesh renderMesh(object, node, time);
    Mesh* mesh = &renderMesh.mesh();

    OutputMeshNewObject(object, node);
    BuildMaterialList(node, mesh);
    OutputMeshMaterials(node, mesh);
    *out << "BreakScript();" << endl;

    // The skeleton block is the bone exporter's, written over the same stream.
    EnumBone_t skeleton(out, out, "graps.vph", ip);
    skeleton.BuildTree();
    if (skeleton.tree != nullptr && skeleton.tree->boneCount > 0) {
        skeleton.OutputHierarchy();
    }

    OutputMeshVertices(node, mesh);
    mesh->buildNormals();
    normals = std::make_unique<RenderNormal_t>(node, mesh, boneTree.get());
    OutputMeshNormals(node, mesh);
    OutputMeshFaces(node, mesh);
    OutputMeshUV(node, mesh);
    OutputModifiers(node, mesh);
    OutputReferences(node);
    OutputBonesInfluence();
    OutputBoneMagicVertex();
    normals.reset();
}
