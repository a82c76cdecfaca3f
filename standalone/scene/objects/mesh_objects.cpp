#include "standalone/scene/objects/mesh_objects.h"

#include "standalone/scene/node_pipeline.h"

namespace pellucid::standalone {

std::unique_ptr<EditableMesh> ConvertToEditableMesh(Object* object, TimeValue t) {
    if (object == nullptr) {
        return nullptr;
    }
    if (auto* tri = dynamic_cast<TriObject*>(object)) {
        return std::make_unique<EditableMesh>(tri->mesh);
    }
    if (!object->CanConvertToType(triObjectClassID)) {
        return nullptr;
    }
    Object* converted = object->ConvertToType(t, triObjectClassID);
    auto* tri = dynamic_cast<TriObject*>(converted);
    if (tri == nullptr) {
        return nullptr;
    }
    auto copy = std::make_unique<EditableMesh>(tri->mesh);
    if (converted != object) {
        converted->DeleteThis();
    }
    return copy;
}

ObjectState PipelineMesh::Eval(TimeValue t) {
    auto& below = below_[{stage_, t}];
    if (!below) {
        below = std::make_unique<PipelineMesh>(pipeline_);
        pipeline_->Run(*below, t, node_, stage_ + 1);
    }
    return ObjectState(below.get());
}

}  // namespace pellucid::standalone
