// The mesh exporter's scene walk: each node is classified by its evaluated object and its name,
// and handled at once (markers, the main object) or recorded (attached objects).
#include "mesh_export/scene_walk.h"

#include "host/name_helpers.h"
#include "mesh_export/enum_mesh.h"
#include "services/debug_log.h"

MeshNodeClassification ClassifyMeshNode(INode* node, Object* object) {
    MeshNodeClassification result;
    if (object == nullptr || object->SuperClassID() != GEOMOBJECT_CLASS_ID ||
        !object->CanConvertToType(triObjectClassID)) {
        return result;
    }
    const char* name = node->GetName();
    const bool sphere = object->CanConvertToType(sphereClassID) != 0;
    if (sphere && UpperPrefix(name, 5) == "MAGIC") {
        result.nodeClass = MeshNodeClass::MagicVertex;
    } else if (sphere && UpperPrefix(name, 4) == "GLOW") {
        result.nodeClass = MeshNodeClass::GlowPoint;
    } else if (UpperPrefix(name, 6) == "ATTACH") {
        result.nodeClass = MeshNodeClass::AttachedObject;
        result.attachNumber = NameNumber(name, 6, 3);
    } else if (UpperPrefix(name, 7) == "TRIGGER") {
        result.nodeClass = MeshNodeClass::Trigger;
    } else if (node->IsHidden(0, FALSE) != 0) {
        result.nodeClass = MeshNodeClass::Hidden;
    } else {
        result.nodeClass = MeshNodeClass::MainObject;
    }
    return result;
}

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
