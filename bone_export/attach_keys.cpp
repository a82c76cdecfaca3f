// Key frames of the attached objects: their motion relative to the bone they hang on.
#include <algorithm>

#include "bone_export/enum_bone.h"
#include "bone_export/key_times.h"
#include "host/transform_helpers.h"
#include "mesh_export/script_writers.h"

namespace {

// The ticks at which an attached object is sampled: 0, its rotation and position key times and,
// when it has keys and a link constraint, each link time and the tick before it; ascending,
// without repeats, none negative.
std::vector<TimeValue> AttachedObjectTimes(INode* node) {
    std::vector<TimeValue> times{0};
    for (const TimeValue t : ControllerKeyTimes(NodeRotationController(node))) {
        times.push_back(t);
    }
    for (const TimeValue t : ControllerKeyTimes(NodePositionController(node))) {
        times.push_back(t);
    }
    Control* transform = node->GetTMController();
    auto* link = transform != nullptr
                     ? static_cast<ILinkCtrl*>(transform->GetInterface(LINK_CONSTRAINT_INTERFACE))
                     : nullptr;
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

}  // namespace

void EnumBone_t::OutputAttachKeys() {
    for (int j = 0; j < attachCount; ++j) {
        INode* node = attachNodes[static_cast<size_t>(j)];
        const std::vector<TimeValue> times = AttachedObjectTimes(node);
        if (times.size() <= 1) {
            continue;  // an object that only rests at time 0 has no key frames
        }
        *out << "AttachObjectKeyFrameInit(" << j << ", " << static_cast<int>(times.size()) << ");"
             << endl;
        for (size_t k = 0; k < times.size(); ++k) {
            const TimeValue t = times[k];
            INode* parent = GetLinkParent(node, t);
            *out << "AttachObjectKeyFrame(" << j << ", " << static_cast<int>(k) << ", " << t
                 << ", ";
            WriteQuat(*out, GetRelativeRotation(node, parent, t));
            *out << ", ";
            WritePoint(*out, GetRelativePosition(node, parent, t));
            *out << ");" << endl;
        }
    }
}
