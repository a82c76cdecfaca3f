// The bone tree: the walk that numbers the bones and finds the triggers, bone positions, and the
// skin's weights per bone with the index of each vertex's dominant bone.
#include "bone_export/bone_tree.h"

#include <cfloat>
#include <string>

#include "bone_export/skin_bindings.h"
#include "bone_export/trigger_time.h"
#include "host/decomp.h"
#include "host/name_helpers.h"

namespace {

// One node of the walk whose children are still to be visited.
struct PendingChildren {
    INode* node;
    int parentIndex;
    int inheritedSign;
    int nextChild;
};

}  // namespace

BoneTree::BoneTree(INode* root, Interface* ip) : host(ip) {
    if (root != nullptr) {
        AddNode(root, -1, 1);
    }
}

HWND BoneTree::OwnerWindow() const {
    return host != nullptr ? host->GetMAXHWnd() : nullptr;
}

void BoneTree::AddNode(INode* node, int parentIndex, int inheritedSign) {
    if (node == nullptr) {
        return;
    }
    ClassifyNode(node, parentIndex, inheritedSign);
    std::vector<PendingChildren> pending{{node, parentIndex, inheritedSign, 0}};
    while (!pending.empty()) {
        PendingChildren& top = pending.back();
        // The child count is read again at every step, as the tree is walked.
        if (top.nextChild >= top.node->NumberOfChildren()) {
            pending.pop_back();
            continue;
        }
        INode* child = top.node->GetChildNode(top.nextChild++);
        if (child == nullptr) {
            continue;
        }
        int childParent = top.parentIndex;
        int childSign = top.inheritedSign;
        ClassifyNode(child, childParent, childSign);
        pending.push_back({child, childParent, childSign, 0});
    }
    ReportDroppedNodes();
}

void BoneTree::ClassifyNode(INode* node, int& parentIndex, int& inheritedSign) {
    Object* object = node->EvalWorldState(0, TRUE).obj;
    if (object == nullptr) {
        return;
    }
    const SClass_ID superClass = object->SuperClassID();
    if (superClass == HELPER_CLASS_ID) {
        if (object->ClassID() == boneObjClassID) {
            AddBone(node, parentIndex, inheritedSign);
        }
        return;
    }
    if (superClass != GEOMOBJECT_CLASS_ID || !object->CanConvertToType(sphereClassID)) {
        return;
    }
    const char* name = node->GetName();
    if (UpperPrefix(name, 5) == "MAGIC") {
        return;  // magic spheres belong to the mesh exporter
    }
    if (UpperPrefix(name, 7) == "TRIGGER") {
        AddTrigger(node, object, parentIndex);
    }
}

void BoneTree::AddBone(INode* node, int& parentIndex, int& inheritedSign) {
    if (boneCount >= MAX_BONES) {
        ++droppedBones_;
        return;
    }
    Matrix3 local = node->GetNodeTM(0);
    if (parentIndex >= 0) {
        local = local * Inverse(bones[static_cast<size_t>(parentIndex)].node->GetNodeTM(0));
    }
    AffineParts parts;
    decomp_affine(local, &parts);
    // The sign is +1.0 or -1.0; truncating it to an integer keeps it.
    const int ownSign = parts.f < 0.0f ? -1 : 1;

    Bone_t bone;
    bone.parent = parentIndex;
    bone.node = node;
    bone.sign = ownSign * inheritedSign;
    bone.ownSign = ownSign;
    bones.push_back(std::move(bone));
    boneOfNode_.emplace(node, boneCount);
    parentIndex = boneCount;
    inheritedSign = bones.back().sign;
    ++boneCount;
}

void BoneTree::ReportDroppedNodes() {
    if (droppedBones_ > 0) {
        const std::string text = "The scene has " + std::to_string(MAX_BONES + droppedBones_) +
                                 " bones; only the first " + std::to_string(MAX_BONES) +
                                 " are exported.";
        MessageBoxA(OwnerWindow(), text.c_str(), "Warning", MB_OK);
        droppedBones_ = 0;
    }
    if (droppedTriggers_ > 0) {
        const std::string text =
            "The scene has " + std::to_string(MAX_TRIGGERS + droppedTriggers_) +
            " triggers; only the first " + std::to_string(MAX_TRIGGERS) + " are exported.";
        MessageBoxA(OwnerWindow(), text.c_str(), "Warning", MB_OK);
        droppedTriggers_ = 0;
    }
}

int BoneTree::IndexOfNode(INode* node) const {
    const auto found = boneOfNode_.find(node);
    return found != boneOfNode_.end() ? found->second : -1;
}

void BoneTree::GetBonePosition(Point3& position, int boneIndex, TimeValue time) {
    const Bone_t& bone = bones[static_cast<size_t>(boneIndex)];
    const Matrix3 world = bone.node->GetNodeTM(time);
    Matrix3 parentWorld;
    if (boneIndex == 0 || bone.parent < 0) {
        if (boneIndex != 0) {
            MessageBoxA(OwnerWindow(), "The hierarchy contains a bone with no parent", "Error",
                        MB_OK);
        }
        parentWorld = bone.node->GetParentTM(time);
    } else {
        parentWorld = bones[static_cast<size_t>(bone.parent)].node->GetNodeTM(time);
    }
    position = (world * Inverse(parentWorld)).GetTrans();
}

void BoneTree::AddTrigger(INode* node, Object* object, int parentIndex) {
    if (triggerCount >= MAX_TRIGGERS) {
        ++droppedTriggers_;
        return;
    }
    Trigger_t trigger;
    trigger.id = NameNumber(node->GetName(), 7, 4);
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

INode* BoneTree::FindSkinNode() {
    INode* root = RootBoneNode();
    if (root == nullptr) {
        return nullptr;
    }
    for (int i = 0; i < root->NumberOfChildren(); ++i) {
        INode* child = root->GetChildNode(i);
        Object* object = child != nullptr ? child->GetObjectRef() : nullptr;
        if (object != nullptr && object->SuperClassID() == GEN_DERIVOB_CLASS_ID) {
            return child;
        }
    }
    return nullptr;
}

// Bindings to nodes outside the tree have no place in the weight lists.
void BoneTree::AddPhysiqueWeights() {
    dominantIndexed_ = false;
    INode* skin = boneCount > 0 ? FindSkinNode() : nullptr;
    ForEachSkinBinding(skin, [this](const SkinBinding& binding) {
        const int b = IndexOfNode(binding.bone);
        if (b < 0) {
            return;
        }
        Bone_t& bone = bones[static_cast<size_t>(b)];
        bone.weights.push_back(
            {binding.vertex, binding.offset * static_cast<float>(bone.sign), binding.weight});
        bone.vertices.push_back(binding.vertex);
    });
    BuildDominantIndex();
}

void BoneTree::BuildDominantIndex() const {
    dominantBone_.clear();
    std::vector<float> best;
    for (int b = 0; b < boneCount; ++b) {
        for (const VertexWeight_t& record : bones[static_cast<size_t>(b)].weights) {
            if (record.vertex < 0) {
                continue;
            }
            const auto v = static_cast<size_t>(record.vertex);
            if (v >= dominantBone_.size()) {
                dominantBone_.resize(v + 1, -1);
                best.resize(v + 1, -FLT_MAX);
            }
            // Strictly greater: of equal weights the earlier bone stays.
            if (record.weight > best[v]) {
                best[v] = record.weight;
                dominantBone_[v] = b;
            }
        }
    }
    dominantIndexed_ = true;
}

int BoneTree::DominantBone(int vertex) const {
    if (!dominantIndexed_) {
        BuildDominantIndex();
    }
    return vertex >= 0 && static_cast<size_t>(vertex) < dominantBone_.size()
               ? dominantBone_[static_cast<size_t>(vertex)]
               : -1;
}
