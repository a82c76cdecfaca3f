// The sorting-group check: keeps a sorting strength in a spinner and, on "Check", reports
// "Sorting group not ok." when any selected node evaluates to a triangle mesh.
#pragma once

#include <vector>

#include "utilities/utility_panel.h"

// The selected nodes that evaluate to a triangle mesh, in selection order.
struct SortingGroupFindings {
    std::vector<INode*> meshes;
    bool Passed() const { return meshes.empty(); }
};
SortingGroupFindings CheckSortingGroupSelection(Interface* ip);
// "" when the check passes, else "Sorting group not ok.".
const char* SortingGroupStatusText(const SortingGroupFindings& findings);

class CheckSortingGroup;

class CheckSortingGroupDlgProc : public UtilityDlgProc {
  public:
    explicit CheckSortingGroupDlgProc(CheckSortingGroup* owner);
    const SortingGroupFindings& LastFindings() const { return findings_; }

  protected:
    void ButtonDown(int id) override;

  private:
    SortingGroupFindings findings_;
};

class CheckSortingGroup : public UtilityPanel {
  public:
    CheckSortingGroup();

    // Parameter 0 is the sorting strength; other indices store nothing. Both answer TRUE.
    BOOL SetValue(int i, TimeValue t, float v) override;
    BOOL GetValue(int i, TimeValue t, float& v, Interval& ivalid) override;

    // Shown by the spinner; nothing reads it. It starts at 0, within the spinner's range.
    float sortingStrength = 0.0f;

  protected:
    ParamMapUserDlgProc* CreateDlgProc() override;
    int ParamCount() const override { return 1; }
};
