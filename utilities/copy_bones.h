// Copy bones: picks a source and a target bone with two spinners, and copies the selected bones
// under the source onto the target's (the one selected bone under each, or by name), with the
// node transform and the position, rotation and scale keys as the check boxes ask.
#pragma once

#include <string>
#include <utility>
#include <vector>

#include "utilities/utility_panel.h"

// A node whose object at time 0 is the host's bone helper.
bool IsBone(INode* node);
// The bone before (or after) `current` among its parent's children, cyclically, current itself
// last; from no bone, the first bone among the scene root's children.
INode* PreviousBone(Interface* ip, INode* current);
INode* NextBone(Interface* ip, INode* current);
// The bone's name, followed by " #<child index>" when a sibling has the same name.
std::string BoneLabel(INode* bone);

// What a copy command does: the message that stops it, or the pairs (source, destination) it
// copies in order and the selected source bones that it skips for want of a namesake.
struct BoneCopyPlan {
    const char* message = nullptr;
    std::vector<std::pair<INode*, INode*>> copies;
    std::vector<INode*> skipped;
};
BoneCopyPlan PlanBoneCopy(INode* source, INode* target);

// Which parts a copy carries.
struct BoneCopyOptions {
    bool position = true;
    bool rotation = true;
    bool scale = true;
    bool nodeData = true;
};
// Copies bone `from` onto bone `to`: node transform at time 0, then rotation, position and scale
// keys. A channel whose controller on either bone has no key list, or keys of a kind this copy
// does not know, is left as it is.
void CopyBone(INode* from, INode* to, const BoneCopyOptions& options);

class CopyBonesDlgProc : public UtilityDlgProc {
  public:
    explicit CopyBonesDlgProc(UtilityPanel* owner);

    INode* SourceBone() const { return source_; }
    INode* TargetBone() const { return target_; }
    // What the last copy command planned.
    const BoneCopyPlan& LastPlan() const { return plan_; }

  protected:
    void ButtonDown(int id) override;
    void InitDialog(HWND hWnd) override;
    void Destroy() override;
    BOOL OtherMessage(HWND hWnd, UINT msg, WPARAM wParam, LPARAM lParam) override;

  private:
    // Steps the source or target one bone back or on and shows its label.
    void Step(bool source, bool forward);
    void CopyCommand();

    HWND hWnd_ = nullptr;
    INode* source_ = nullptr;
    INode* target_ = nullptr;
    ICustEdit* sourceEdit_ = nullptr;
    ICustEdit* targetEdit_ = nullptr;
    ISpinnerControl* sourceSpin_ = nullptr;
    ISpinnerControl* targetSpin_ = nullptr;
    BoneCopyPlan plan_;
};

class CopyBones : public UtilityPanel {
  public:
    CopyBones();

  protected:
    ParamMapUserDlgProc* CreateDlgProc() override;
};
