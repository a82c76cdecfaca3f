#include "mesh_export/enum_mesh.h"
#include "plugin/debug_log.h"

void EnumMesh_t::OutputMeshNormals(INode*, Mesh*) {
    Trace("OutputMeshNormals");
    if (normals == nullptr) {
        return;
    }
    normals->AddRenderNormals();
    normals->AddRGBVertices();
    normals->OutputNormals(*out);
}
