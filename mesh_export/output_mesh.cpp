#include "bone_export/enum_bone.h"
#include "mesh_export/enum_mesh.h"
#include "mesh_export/render_mesh.h"
#include "plugin/debug_log.h"

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
