// Collision volumes: the CollBox children of the object and the zones below them.
#include <cfloat>
#include <cmath>

#include "host/name_helpers.h"
#include "host/render_mesh.h"
#include "mesh_export/enum_mesh.h"
#include "objects/collbox.h"
#include "script/script_writers.h"
#include "services/debug_log.h"

namespace {

struct Bounds {
    Point3 min{FLT_MAX, FLT_MAX, FLT_MAX};
    Point3 max{-FLT_MAX, -FLT_MAX, -FLT_MAX};
    Point3 Middle() const { return (min + max) * 0.5f; }
};

// The axis-aligned box of the object's render mesh in its own space. A mesh without vertices
// keeps the starting extremes (middle 0, sizes twice the largest float).
Bounds GetLocalBounds(Object* object, INode* node) {
    Bounds bounds;
    RenderMesh renderMesh(object, node, 0);
    for (const Point3& p : renderMesh.mesh().verts) {
        for (int axis = 0; axis < 3; ++axis) {
            if (p[axis] < bounds.min[axis]) {
                bounds.min[axis] = p[axis];
            }
            if (p[axis] > bounds.max[axis]) {
                bounds.max[axis] = p[axis];
            }
        }
    }
    return bounds;
}

// |max - min| of one axis, computed in double.
double Size(const Bounds& bounds, int axis) {
    return std::fabs(static_cast<double>(bounds.max[axis]) - static_cast<double>(bounds.min[axis]));
}

Object* CollBoxObject(INode* node, TimeValue time) {
    Object* object = node != nullptr ? node->EvalWorldState(time, TRUE).obj : nullptr;
    return object != nullptr && object->ClassID() == COLLBOX_CLASS_ID ? object : nullptr;
}

}  // namespace

// The collision boxes are the object's direct CollBox children; their zones are the boxes' direct
// CollBox children.
void EnumMesh_t::OutputReferences(INode* node) {
    Trace("OutputReferences");
    for (int i = 0; i < node->NumberOfChildren(); ++i) {
        INode* child = node->GetChildNode(i);
        if (CollBoxObject(child, time) != nullptr) {
            OutputCollBox(child);
        }
    }
}

void EnumMesh_t::OutputCollBox(INode* box) {
    const Bounds bounds = GetLocalBounds(CollBoxObject(box, time), box);
    Matrix3 axes = box->GetObjTMAfterWSM(0);
    axes.NoScale();
    const Point3 position = bounds.Middle() * axes;
    *out << "CollBox(";
    WritePoint(*out, position);
    *out << "," << Size(bounds, 0) << "," << Size(bounds, 1) << "," << Size(bounds, 2) << ",-1);"
         << endl;
    *out << "CollBoxMatrix(";
    WritePoint(*out, axes.GetRow(0));
    *out << ",";
    WritePoint(*out, axes.GetRow(1));
    *out << ",";
    WritePoint(*out, axes.GetRow(2));
    *out << ");" << endl;
    for (int i = 0; i < box->NumberOfChildren(); ++i) {
        INode* child = box->GetChildNode(i);
        if (CollBoxObject(child, time) != nullptr) {
            OutputCollZone(child, box);
        }
    }
}

void EnumMesh_t::OutputCollZone(INode* zone, INode* box) {
    const int number = NameNumber(zone->GetName(), 4, 2);
    const Bounds bounds = GetLocalBounds(CollBoxObject(zone, time), zone);
    const Matrix3 zoneTM = zone->GetObjTMAfterWSM(0);
    const Matrix3 boxTM = box->GetObjTMAfterWSM(0);
    const Matrix3 relative = zoneTM * Inverse(boxTM);
    const Point3 offset = zoneTM.GetTrans() - boxTM.GetTrans();
    const Point3 position = offset + bounds.Middle() * Inverse(relative);
    *out << "CollZone(" << number << ",";
    WritePoint(*out, position);
    *out << "," << Size(bounds, 0) << "," << Size(bounds, 1) << "," << Size(bounds, 2) << ",);"
         << endl;
}
