#include "standalone/scene/scene_walks.h"

#include <algorithm>

namespace pellucid::standalone {

int SceneTree::EnumTree(ITreeEnumProc* proc) {
    if (proc == nullptr) {
        return 1;
    }
    const auto& top = scene_.Root()->Children();
    std::vector<SceneNode*> pending(top.rbegin(), top.rend());
    while (!pending.empty()) {
        SceneNode* node = pending.back();
        pending.pop_back();
        const int answer = proc->callback(node);
        if (answer == TREE_IGNORECHILDREN) {
            continue;
        }
        if (answer != TREE_CONTINUE) {
            return 0;
        }
        const auto& children = node->Children();
        pending.insert(pending.end(), children.rbegin(), children.rend());
    }
    return 1;
}

int EnumSceneDependents(const Scene& scene, ReferenceTarget* target, DependentEnumProc* proc) {
    if (target == nullptr || proc == nullptr) {
        return 0;
    }
    for (SceneNode* node : scene.NodesInTreeOrder()) {
        const auto& stack = node->Modifiers();
        const bool inStack = std::find(stack.begin(), stack.end(), target) != stack.end();
        const bool depends = inStack || node->BaseObject() == target || node->GetMtl() == target;
        if (!depends) {
            continue;
        }
        Object* derived = node->GetObjectRef();
        if ((inStack || node->BaseObject() == target) && derived != nullptr &&
            derived != node->BaseObject()) {
            const int answer = proc->proc(derived);
            if (answer == DEP_ENUM_HALT) {
                return 1;
            }
            if (answer == DEP_ENUM_SKIP) {
                continue;
            }
        }
        if (proc->proc(node) == DEP_ENUM_HALT) {
            return 1;
        }
    }
    return 0;
}

}  // namespace pellucid::standalone
