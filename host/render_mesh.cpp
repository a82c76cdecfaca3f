#include "host/render_mesh.h"

RenderMesh::RenderMesh(Object* object, INode* node, TimeValue time) {
    auto* geometry = dynamic_cast<GeomObject*>(object);
    if (geometry == nullptr) {
        return;
    }
    ExportView view;
    mesh_ = geometry->GetRenderMesh(time, node, view, needDelete_);
}

RenderMesh::~RenderMesh() {
    if (mesh_ != nullptr && needDelete_) {
        delete mesh_;
    }
}
