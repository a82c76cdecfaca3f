// The shape of the three checks that mark faces (mapping, material, volume): a button press
// searches the scene from its root, writes the marks into the scene and shows the pass or fail
// text in the status line.
#pragma once

#include "utilities/check_helpers.h"
#include "utilities/utility_panel.h"

struct MarkingCheck {
    int button;
    int statusLine;
    // The node check: the node and everything below it.
    CheckFindings (*search)(INode* root);
    const char* passText;
    const char* failText;
};

// The status text that a check's findings give.
inline const char* StatusText(const MarkingCheck& check, const CheckFindings& findings) {
    return findings.passed ? check.passText : check.failText;
}

class MarkingCheckDlgProc : public UtilityDlgProc {
  public:
    MarkingCheckDlgProc(UtilityPanel* owner, const MarkingCheck& check)
        : UtilityDlgProc(owner, owner->Description()), check_(check) {}

    // What the last press found.
    const CheckFindings& LastFindings() const { return findings_; }

  protected:
    void ButtonDown(int id) override;

  private:
    const MarkingCheck& check_;
    CheckFindings findings_;
};

// The page of a marking check: its controls from `panel`, its one button running `check`.
class MarkingCheckPanel : public UtilityPanel {
  public:
    MarkingCheckPanel(const PanelDescription& panel, const MarkingCheck& check)
        : UtilityPanel(panel), check_(check) {}

  protected:
    ParamMapUserDlgProc* CreateDlgProc() override;

  private:
    const MarkingCheck& check_;
};
