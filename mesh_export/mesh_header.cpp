#include "mesh_export/enum_mesh.h"
#include "plugin/debug_log.h"

void EnumMesh_t::OutputMeshNewObject(Object*, INode* node) {
    Trace("OutputMeshNewObject");
    *out << "NewObject(\"" << node->GetName() << "\");" << endl;
}
