// The triggers of the animation, in the order in which they fire.
#include <algorithm>

#include "bone_export/enum_bone.h"
#include "mesh_export/script_writers.h"

void EnumBone_t::OutputTriggers() {
    // Triggers that fire at the same tick keep the order in which the walk found them.
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
