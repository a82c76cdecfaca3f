// The sections after the skeleton that are not keys of the bones: the attached objects with their
// rest frames, link events and key frames, and the triggers in the order in which they fire.
#include <algorithm>

#include "bone_export/enum_bone.h"
#include "bone_export/key_times.h"
#include "host/name_helpers.h"
#include "host/transform_helpers.h"
#include "script/script_writers.h"

namespace {

void WriteAxes(TextStream& out, const Matrix3& axes) {
    WritePoint(out, axes.GetRow(0));
    out << ",";
    WritePoint(out, axes.GetRow(1));
    out << ",";
    WritePoint(out, axes.GetRow(2));
}

}  // namespace

void EnumBone_t::OutputAttachObjects() {
    for (int j = 0; j < attachCount; ++j) {
        INode* node = attachNodes[static_cast<size_t>(j)];
        INode* restParent = GetLinkParent(node, 0);
        *out << "AnimAttachObject(\"" << AttachedObjectName(node->GetName()).data() << "\"," << j
             << ",";
        WriteAxes(*out, GetRelativeAxes(node, restParent, 0));
        *out << ",";
        WritePoint(*out, GetRelativePosition(node, restParent, 0));
        *out << ");" << endl;
        *out << "AnimAttachObjectBoneID(" << j << "," << tree->IndexOfNode(restParent) << ");"
             << endl;

        ILinkCtrl* link = LinkConstraintOf(node);
        if (link == nullptr || link->GetNumTargets() <= 1) {
            continue;
        }
        for (int i = 0; i < link->GetNumTargets(); ++i) {
            const TimeValue time = link->GetLinkTime(i);
            INode* target = link->GetNode(i);
            *out << "LinkEvent(" << j << "," << time << "," << tree->IndexOfNode(target) << ",";
            WriteAxes(*out, GetRelativeAxes(node, target, time));
            *out << ",";
            WritePoint(*out, GetRelativePosition(node, target, time));
            *out << ");" << endl;
        }
    }
}

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

// Triggers that fire at the same tick keep the order in which the walk found them.
void EnumBone_t::OutputTriggers() {
    std::stable_sort(tree->triggers.begin(), tree->triggers.end(),
                     [](const Trigger_t& a, const Trigger_t& b) { return a.time < b.time; });
    *out << "TriggerInit(" << tree->triggerCount << ");" << endl;
    for (int i = 0; i < tree->triggerCount; ++i) {
        const Trigger_t& trigger = tree->triggers[static_cast<size_t>(i)];
        *out << "TriggerData(" << i << "," << trigger.id << "," << trigger.time << ","
             << trigger.parent << ",";
        WritePoint(*out, trigger.position);
        *out << ");" << endl;
    }
}
