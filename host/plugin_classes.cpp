#include "host/plugin_classes.h"

SimpleObject::~SimpleObject() {
    delete pblock;
}

void SimpleObject::UpdateMesh(TimeValue t) {
    const unsigned long changes = pblock != nullptr ? pblock->Changes() : 0;
    if (!ivalid.InInterval(t) || changes != builtChanges_) {
        BuildMesh(t);
        builtChanges_ = changes;
    }
}

int SimpleObject::CanConvertToType(Class_ID obtype) {
    return obtype == triObjectClassID ? 1 : 0;
}

Object* SimpleObject::ConvertToType(TimeValue t, Class_ID obtype) {
    if (obtype != triObjectClassID) {
        return nullptr;
    }
    UpdateMesh(t);
    auto* tri = new TriObject();
    tri->mesh = mesh;
    return tri;
}

Mesh* SimpleObject::GetRenderMesh(TimeValue t, INode*, View&, BOOL& needDelete) {
    UpdateMesh(t);
    needDelete = FALSE;
    return &mesh;
}
