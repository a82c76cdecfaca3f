#include "mesh_export/enum_mesh.h"
#include "mesh_export/node_class.h"
#include "plugin/debug_log.h"

int EnumMesh_t::callback(INode* node) {
    Trace("callback");
    if (node == nullptr) {
        return TREE_CONTINUE;
    }
    Object* object = node->EvalWorldState(time, TRUE).obj;
    const MeshNodeClassification found = ClassifyMeshNode(node, object);
    switch (found.nodeClass) {
        case MeshNodeClass::MagicVertex:
            OutputMagicVertex(node, object);
            break;
        case MeshNodeClass::GlowPoint:
            OutputGlow(node, object);
            break;
        case MeshNodeClass::AttachedObject:
            if (numAttach < MAX_ATTACH_NODES) {
                attachNodes.push_back(node);
                attachIds.push_back(found.attachNumber);
                ++numAttach;
            }
            break;
        case MeshNodeClass::MainObject:
            ++numObjects;
            if (numObjects == 1) {
                OutputMesh(node, object);
            } else {
                Warn("More than one object in scene.", "Warning");
            }
            break;
        case MeshNodeClass::NotGeometry:
        case MeshNodeClass::Trigger:
        case MeshNodeClass::Hidden:
            break;
    }
    return TREE_CONTINUE;
}
