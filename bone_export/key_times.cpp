#include "bone_export/key_times.h"

#include <memory>

#include "host/inode.h"

namespace {

// A key of the type the controller holds, for GetKey to fill.
std::unique_ptr<IKey> MakeKeyFor(Control* controller) {
    const Class_ID kind = controller->ClassID();
    if (kind == bezierPositionClassID) {
        return std::make_unique<IBezPoint3Key>();
    }
    if (kind == linearPositionClassID) {
        return std::make_unique<ILinPoint3Key>();
    }
    if (kind == tcbPositionClassID) {
        return std::make_unique<ITCBPoint3Key>();
    }
    if (kind == tcbRotationClassID) {
        return std::make_unique<ITCBRotKey>();
    }
    if (kind == linearRotationClassID) {
        return std::make_unique<ILinRotKey>();
    }
    if (kind == bezierRotationClassID) {
        return std::make_unique<IBezQuatKey>();
    }
    if (kind == bezierScaleClassID) {
        return std::make_unique<IBezScaleKey>();
    }
    if (kind == linearScaleClassID) {
        return std::make_unique<ILinScaleKey>();
    }
    if (kind == tcbScaleClassID) {
        return std::make_unique<ITCBScaleKey>();
    }
    if (kind == bezierFloatClassID || kind == linearFloatClassID || kind == onOffFloatClassID) {
        return std::make_unique<IBezFloatKey>();
    }
    // Another keyframe class: the Bezier key of its kind.
    switch (controller->SuperClassID()) {
        case CTRL_ROTATION_CLASS_ID:
            return std::make_unique<IBezQuatKey>();
        case CTRL_SCALE_CLASS_ID:
            return std::make_unique<IBezScaleKey>();
        case CTRL_FLOAT_CLASS_ID:
            return std::make_unique<IBezFloatKey>();
        default:
            return std::make_unique<IBezPoint3Key>();
    }
}

}  // namespace

std::vector<TimeValue> ControllerKeyTimes(Control* controller) {
    std::vector<TimeValue> times;
    IKeyControl* keys = GetKeyControlInterface(controller);
    if (keys == nullptr) {
        return times;
    }
    const int count = keys->GetNumKeys();
    if (count <= 0) {
        return times;
    }
    std::unique_ptr<IKey> key = MakeKeyFor(controller);
    times.reserve(static_cast<size_t>(count));
    for (int i = 0; i < count; ++i) {
        keys->GetKey(i, key.get());
        times.push_back(key->time);
    }
    return times;
}

Control* NodePositionController(INode* node) {
    Control* transform = node != nullptr ? node->GetTMController() : nullptr;
    return transform != nullptr ? transform->GetPositionController() : nullptr;
}

Control* NodeRotationController(INode* node) {
    Control* transform = node != nullptr ? node->GetTMController() : nullptr;
    return transform != nullptr ? transform->GetRotationController() : nullptr;
}
