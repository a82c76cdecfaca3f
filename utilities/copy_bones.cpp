#include "utilities/copy_bones.h"

#include <cstdio>
#include <cstring>
#include <new>

#include "host/interface.h"
#include "resources/resource_ids.h"

namespace {

const PanelButton kButtons[] = {{IDC_COPY_BONES, "Copy bones"}};
const PanelDescription kPanel = {IDD_COPYBONES, "Copy bones", kButtons, {}};

const int kOptionBoxes[] = {IDC_COPY_POSITION, IDC_COPY_ROTATION, IDC_COPY_SCALE,
                            IDC_COPY_NODEDATA};

// The index of `node` among its parent's children; -1 (an internal inconsistency) otherwise.
int ChildIndex(INode* node) {
    INode* parent = node->GetParentNode();
    if (parent != nullptr) {
        for (int i = 0; i < parent->NumberOfChildren(); ++i) {
            if (parent->GetChildNode(i) == node) {
                return i;
            }
        }
    }
    assert1(683, "copybones");
    return -1;
}

// The first bone met when P's children are examined cyclically from `start` in steps of `step`,
// n children in all.
INode* CyclicBone(INode* parent, int start, int step) {
    const int n = parent->NumberOfChildren();
    for (int i = 0, k = start; i < n; ++i, k = (k + step + n) % n) {
        INode* child = parent->GetChildNode(k);
        if (IsBone(child)) {
            return child;
        }
    }
    return nullptr;
}

INode* StepBone(Interface* ip, INode* current, int step) {
    if (current == nullptr) {
        INode* root = ip->GetRootNode();
        return root != nullptr ? CyclicBone(root, 0, 1) : nullptr;
    }
    INode* parent = current->GetParentNode();
    if (parent == nullptr || parent->NumberOfChildren() == 0) {
        return current;
    }
    const int n = parent->NumberOfChildren();
    const int k = ChildIndex(current);
    const int start = ((k + step) % n + n) % n;
    return CyclicBone(parent, start, step);
}

// The subtree of `node`, the node before its children, children in index order.
std::vector<INode*> Subtree(INode* node) {
    std::vector<INode*> order;
    std::vector<INode*> pending{node};
    while (!pending.empty()) {
        INode* next = pending.back();
        pending.pop_back();
        order.push_back(next);
        for (int i = next->NumberOfChildren() - 1; i >= 0; --i) {
            pending.push_back(next->GetChildNode(i));
        }
    }
    return order;
}

bool SelectedBone(INode* node) {
    return node->Selected() && IsBone(node);
}

struct SelectedBones {
    int count = 0;
    // The first selected bone in the tree's order, or null.
    INode* first = nullptr;
};

SelectedBones CountSelected(const std::vector<INode*>& tree) {
    SelectedBones selected;
    for (INode* node : tree) {
        if (SelectedBone(node)) {
            selected.first = selected.first != nullptr ? selected.first : node;
            ++selected.count;
        }
    }
    return selected;
}

}  // namespace

bool IsBone(INode* node) {
    if (node == nullptr) {
        return false;
    }
    Object* obj = node->EvalWorldState(0, TRUE).obj;
    return obj != nullptr && obj->SuperClassID() == HELPER_CLASS_ID &&
           obj->ClassID() == boneObjClassID;
}

INode* PreviousBone(Interface* ip, INode* current) {
    return StepBone(ip, current, -1);
}

INode* NextBone(Interface* ip, INode* current) {
    return StepBone(ip, current, 1);
}

std::string BoneLabel(INode* bone) {
    const std::string name = bone->GetName() != nullptr ? bone->GetName() : "";
    INode* parent = bone->GetParentNode();
    bool shared = false;
    if (parent != nullptr) {
        for (int i = 0; i < parent->NumberOfChildren(); ++i) {
            INode* sibling = parent->GetChildNode(i);
            if (sibling != bone && sibling->GetName() != nullptr && name == sibling->GetName()) {
                shared = true;
                break;
            }
        }
    }
    if (!shared) {
        return name;
    }
    char suffix[32];
    std::snprintf(suffix, sizeof suffix, " #%d", ChildIndex(bone));
    return name + suffix;
}

BoneCopyPlan PlanBoneCopy(INode* source, INode* target) {
    BoneCopyPlan plan;
    if (source == nullptr) {
        plan.message = "No source bone selected.";
        return plan;
    }
    if (target == nullptr) {
        plan.message = "No target bone selected.";
        return plan;
    }
    if (source == target) {
        plan.message = "Source and target equal.";
        return plan;
    }
    const std::vector<INode*> sourceTree = Subtree(source);
    const std::vector<INode*> targetTree = Subtree(target);
    const SelectedBones inTarget = CountSelected(targetTree);
    const SelectedBones inSource = CountSelected(sourceTree);
    if (inSource.count == 0) {
        plan.message = "No bones selected.";
        return plan;
    }
    if (inSource.count == 1 && inTarget.count == 1) {
        plan.copies.emplace_back(inSource.first, inTarget.first);
        return plan;
    }
    for (INode* node : sourceTree) {
        if (!SelectedBone(node)) {
            continue;
        }
        INode* namesake = nullptr;
        for (INode* candidate : targetTree) {
            if (IsBone(candidate) && std::strcmp(candidate->GetName(), node->GetName()) == 0) {
                namesake = candidate;
                break;
            }
        }
        if (namesake != nullptr) {
            plan.copies.emplace_back(node, namesake);
        } else {
            plan.skipped.push_back(node);
        }
    }
    return plan;
}

CopyBonesDlgProc::CopyBonesDlgProc(UtilityPanel* owner)
    : UtilityDlgProc(owner, owner->Description()) {}

void CopyBonesDlgProc::InitDialog(HWND hWnd) {
    hWnd_ = hWnd;
    for (int id : kOptionBoxes) {
        CheckDlgButton(hWnd, id, BST_CHECKED);
    }
    sourceEdit_ = GetICustEdit(GetDlgItem(hWnd, IDC_SOURCE_EDIT));
    targetEdit_ = GetICustEdit(GetDlgItem(hWnd, IDC_TARGET_EDIT));
    sourceSpin_ = GetISpinner(GetDlgItem(hWnd, IDC_SOURCE_SPIN));
    targetSpin_ = GetISpinner(GetDlgItem(hWnd, IDC_TARGET_SPIN));
}

void CopyBonesDlgProc::Destroy() {
    ReleaseICustEdit(sourceEdit_);
    ReleaseICustEdit(targetEdit_);
    ReleaseISpinner(sourceSpin_);
    ReleaseISpinner(targetSpin_);
    sourceEdit_ = targetEdit_ = nullptr;
    sourceSpin_ = targetSpin_ = nullptr;
}

BOOL CopyBonesDlgProc::OtherMessage(HWND, UINT msg, WPARAM wParam, LPARAM) {
    const int id = static_cast<int>(LOWORD(wParam));
    if (id != IDC_SOURCE_SPIN && id != IDC_TARGET_SPIN) {
        return FALSE;
    }
    const bool source = id == IDC_SOURCE_SPIN;
    if (msg == CC_SPINNER_BUTTONDOWN) {
        Step(source, false);
        Step(source, true);
    } else if (msg == CC_SPINNER_BUTTONUP) {
        Step(source, true);
    }
    return FALSE;
}

void CopyBonesDlgProc::Step(bool source, bool forward) {
    Interface* ip = GetInterface();
    if (ip == nullptr) {
        return;
    }
    INode*& current = source ? source_ : target_;
    INode* next = forward ? NextBone(ip, current) : PreviousBone(ip, current);
    if (next != nullptr && next != current) {
        current = next;
        std::vector<INode*> flash{current};
        ip->FlashNodes(&flash);
    }
    if (ICustEdit* edit = source ? sourceEdit_ : targetEdit_) {
        edit->SetText(current != nullptr ? BoneLabel(current).c_str() : "");
    }
}

void CopyBonesDlgProc::ButtonDown(int id) {
    if (id == IDC_COPY_BONES) {
        CopyCommand();
    }
}

void CopyBonesDlgProc::CopyCommand() {
    Interface* ip = GetInterface();
    if (ip == nullptr) {
        return;
    }
    plan_ = PlanBoneCopy(source_, target_);
    if (plan_.message != nullptr) {
        MessageBox(ip->GetMAXHWnd(), plan_.message, "Error", MB_OK);
        return;
    }
    for (const auto& [from, to] : plan_.copies) {
        // The boxes are read at the moment of each copy.
        BoneCopyOptions options;
        options.position = IsDlgButtonChecked(hWnd_, IDC_COPY_POSITION) == BST_CHECKED;
        options.rotation = IsDlgButtonChecked(hWnd_, IDC_COPY_ROTATION) == BST_CHECKED;
        options.scale = IsDlgButtonChecked(hWnd_, IDC_COPY_SCALE) == BST_CHECKED;
        options.nodeData = IsDlgButtonChecked(hWnd_, IDC_COPY_NODEDATA) == BST_CHECKED;
        CopyBone(from, to, options);
    }
}

CopyBones::CopyBones() : UtilityPanel(kPanel) {}

ParamMapUserDlgProc* CopyBones::CreateDlgProc() {
    return new (std::nothrow) CopyBonesDlgProc(this);
}
