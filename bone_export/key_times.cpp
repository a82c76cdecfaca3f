#include "bone_export/key_times.h"

#include <algorithm>
#include <memory>

#include "host/inode.h"
#include "host/key_classes.h"

namespace {

// A key of the type the controller holds, for GetKey to fill; another keyframe class gets the
// Bezier key of its kind.
std::unique_ptr<IKey> MakeKeyFor(Control* controller) {
    if (std::unique_ptr<IKey> key = NewKeyOfClass(controller->ClassID())) {
        return key;
    }
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
