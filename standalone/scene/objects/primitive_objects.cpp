#include "standalone/scene/objects/primitive_objects.h"

#include "objects/collbox_mesh.h"
#include "standalone/scene/objects/sphere_mesh.h"

namespace pellucid::standalone {

int PrimitiveObject::CanConvertToType(Class_ID obtype) {
    return obtype == triObjectClassID ? 1 : 0;
}

Object* PrimitiveObject::ConvertToType(TimeValue, Class_ID obtype) {
    if (obtype != triObjectClassID) {
        return nullptr;
    }
    return new EditableMesh(CurrentMesh());
}

Mesh* PrimitiveObject::GetRenderMesh(TimeValue, INode*, View&, BOOL& needDelete) {
    needDelete = FALSE;
    return const_cast<Mesh*>(&CurrentMesh());
}

Point3 PrimitiveObject::GetPoint(int i) {
    const Mesh& mesh = CurrentMesh();
    return i >= 0 && i < mesh.getNumVerts() ? mesh.getVert(i) : Point3();
}

namespace {

constexpr ParamBlockDescID kSphereParams[] = {
    {TYPE_FLOAT, nullptr, TRUE, 0},  // radius
    {TYPE_INT, nullptr, TRUE, 1},    // segments
};

}  // namespace

SphereObject::SphereObject(float radius, int segments)
    : pblock_(CreateParameterBlock(kSphereParams, 2, 0)) {
    pblock_->SetValue(0, 0, radius);
    pblock_->SetValue(1, 0, segments);
}

int SphereObject::CanConvertToType(Class_ID obtype) {
    return obtype == sphereClassID ? 1 : PrimitiveObject::CanConvertToType(obtype);
}

Object* SphereObject::ConvertToType(TimeValue t, Class_ID obtype) {
    return obtype == sphereClassID ? this : PrimitiveObject::ConvertToType(t, obtype);
}

float SphereObject::Radius() {
    float radius = 0.0f;
    Interval valid = FOREVER;
    pblock_->GetValue(0, 0, radius, valid);
    return radius;
}

int SphereObject::Segments() {
    int segments = 0;
    Interval valid = FOREVER;
    pblock_->GetValue(1, 0, segments, valid);
    return segments;
}

const Mesh& SphereObject::CurrentMesh() {
    const float radius = Radius();
    const int segments = Segments();
    if (!built_ || radius != builtRadius_ || segments != builtSegments_) {
        BuildSphereMesh(mesh_, radius, segments);
        built_ = true;
        builtRadius_ = radius;
        builtSegments_ = segments;
    }
    return mesh_;
}

BoxObject::BoxObject(float l, float w, float h) : length(l), width(w), height(h) {}

const Mesh& BoxObject::CurrentMesh() {
    if (!built_) {
        BuildCollBoxMesh(mesh_, length, width, height, 1, 1, 1, true);
        built_ = true;
    }
    return mesh_;
}

}  // namespace pellucid::standalone
