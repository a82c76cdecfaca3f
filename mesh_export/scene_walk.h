// How the mesh exporter's scene walk classifies a node, from its evaluated object and its name.
#pragma once

#include "host/inode.h"

enum class MeshNodeClass {
    NotGeometry,     // skipped: not a geometric object convertible to a triangle mesh
    MagicVertex,     // sphere named MAGIC...
    GlowPoint,       // sphere named GLOW...
    AttachedObject,  // named ATTACH...
    Trigger,         // named TRIGGER...
    Hidden,
    MainObject,  // a main-object candidate
};

struct MeshNodeClassification {
    MeshNodeClass nodeClass = MeshNodeClass::NotGeometry;
    // The number read from an ATTACH name.
    int attachNumber = 0;
};

// Applies the walk's tests in their order; the first that matches decides. `object` is the
// node's evaluated object at the export time (may be null).
MeshNodeClassification ClassifyMeshNode(INode* node, Object* object);
