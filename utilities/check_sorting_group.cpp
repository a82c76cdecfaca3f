#include "utilities/check_sorting_group.h"

#include <new>

#include "host/interface.h"
#include "resources/resource_ids.h"
#include "utilities/check_helpers.h"

namespace {

const PanelButton kButtons[] = {{IDC_CHECK_SORTING_GROUP, "Check sorting group"}};
const int kStatusLines[] = {IDC_STATUS};
const PanelDescription kPanel = {IDD_CHECKSORTINGGROUP, "Check Sorting Group", kButtons,
                                 kStatusLines};

}  // namespace

SortingGroupFindings CheckSortingGroupSelection(Interface* ip) {
    SortingGroupFindings findings;
    for (int i = 0; i < ip->GetSelNodeCount(); ++i) {
        INode* node = ip->GetSelNode(i);
        EvaluatedMesh evaluated(node);
        if (evaluated.Tri() != nullptr) {
            findings.meshes.push_back(node);
        }
    }
    return findings;
}

const char* SortingGroupStatusText(const SortingGroupFindings& findings) {
    return findings.Passed() ? "" : "Sorting group not ok.";
}

CheckSortingGroupDlgProc::CheckSortingGroupDlgProc(CheckSortingGroup* owner)
    : UtilityDlgProc(owner, owner->Description()) {}

void CheckSortingGroupDlgProc::ButtonDown(int id) {
    if (id != IDC_CHECK_SORTING_GROUP || GetInterface() == nullptr) {
        return;
    }
    findings_ = CheckSortingGroupSelection(GetInterface());
    SetStatusText(IDC_STATUS, SortingGroupStatusText(findings_));
}

CheckSortingGroup::CheckSortingGroup() : UtilityPanel(kPanel) {}

BOOL CheckSortingGroup::SetValue(int i, TimeValue, float v) {
    if (i == 0) {
        sortingStrength = v;
    }
    return TRUE;
}

BOOL CheckSortingGroup::GetValue(int i, TimeValue, float& v, Interval&) {
    if (i == 0) {
        v = sortingStrength;
    }
    return TRUE;
}

ParamMapUserDlgProc* CheckSortingGroup::CreateDlgProc() {
    return new (std::nothrow) CheckSortingGroupDlgProc(this);
}
