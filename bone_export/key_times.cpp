#include "bone_export/key_times.h"

#include <algorithm>
#include <memory>

#include "host/inode.h"

namespace {

template <class Key>
std::unique_ptr<IKey> MakeKey() {
    return std::make_unique<Key>();
}

// The key that GetKey fills for each keyframe controller class.
struct KeyOfClass {
    Class_ID controller;
    std::unique_ptr<IKey> (*make)();
};

const KeyOfClass kKeysOfClasses[] = {
    {bezierPositionClassID, MakeKey<IBezPoint3Key>},
    {linearPositionClassID, MakeKey<ILinPoint3Key>},
    {tcbPositionClassID, MakeKey<ITCBPoint3Key>},
    {tcbRotationClassID, MakeKey<ITCBRotKey>},
    {linearRotationClassID, MakeKey<ILinRotKey>},
    {bezierRotationClassID, MakeKey<IBezQuatKey>},
    {bezierScaleClassID, MakeKey<IBezScaleKey>},
    {linearScaleClassID, MakeKey<ILinScaleKey>},
    {tcbScaleClassID, MakeKey<ITCBScaleKey>},
    {bezierFloatClassID, MakeKey<IBezFloatKey>},
    {linearFloatClassID, MakeKey<IBezFloatKey>},
    {onOffFloatClassID, MakeKey<IBezFloatKey>},
};

// A key of the type the controller holds, for GetKey to fill; another keyframe class gets the
// Bezier key of its kind.
std::unique_ptr<IKey> MakeKeyFor(Control* controller) {
    const Class_ID kind = controller->ClassID();
    for (const KeyOfClass& entry : kKeysOfClasses) {
        if (entry.controller == kind) {
            return entry.make();
        }
    }
    switch (controller->SuperClassID()) {
        case CTRL_ROTATION_CLASS_ID:
            return MakeKey<IBezQuatKey>();
        case CTRL_SCALE_CLASS_ID:
            return MakeKey<IBezScaleKey>();
        case CTRL_FLOAT_CLASS_ID:
            return MakeKey<IBezFloatKey>();
        default:
            return MakeKey<IBezPoint3Key>();
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

ILinkCtrl* LinkConstraintOf(INode* node) {
    Control* transform = node->GetTMController();
    return transform != nullptr
               ? static_cast<ILinkCtrl*>(transform->GetInterface(LINK_CONSTRAINT_INTERFACE))
               : nullptr;
}

std::vector<TimeValue> AttachedObjectTimes(INode* node) {
    std::vector<TimeValue> times{0};
    for (const TimeValue t : ControllerKeyTimes(NodeRotationController(node))) {
        times.push_back(t);
    }
    for (const TimeValue t : ControllerKeyTimes(NodePositionController(node))) {
        times.push_back(t);
    }
    ILinkCtrl* link = LinkConstraintOf(node);
    if (link != nullptr && times.size() > 1) {
        for (int i = 0; i < link->GetNumTargets(); ++i) {
            const TimeValue linkTime = link->GetLinkTime(i);
            if (linkTime > TIME_NegInfinity) {
                times.push_back(linkTime - 1);
            }
            times.push_back(linkTime);
        }
    }
    std::sort(times.begin(), times.end());
    times.erase(std::unique(times.begin(), times.end()), times.end());
    times.erase(times.begin(), std::lower_bound(times.begin(), times.end(), 0));
    return times;
}
