#include "bone_export/bone_tree.h"
#include "bone_export/trigger_time.h"
#include "mesh_export/node_class.h"

void BoneTree::AddTrigger(INode* node, Object* object, int parentIndex) {
    if (triggerCount >= MAX_TRIGGERS) {
        ++droppedTriggers_;
        return;
    }
    Trigger_t trigger;
    trigger.id = NameNumber(node->GetName() ? node->GetName() : "", 7, 4);
    trigger.time = FirstVisibleTick(node, GetAnimStart(), GetAnimEnd());
    trigger.parent = parentIndex;
    if (parentIndex >= 0) {
        const Matrix3 world = node->GetNodeTM(trigger.time);
        const Matrix3 parentWorld =
            bones[static_cast<size_t>(parentIndex)].node->GetNodeTM(trigger.time);
        trigger.position = (world * Inverse(parentWorld)).GetTrans();
    }
    triggers.push_back(trigger);
    ++triggerCount;
}
