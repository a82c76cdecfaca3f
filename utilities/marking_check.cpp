#include "utilities/marking_check.h"

#include <new>

#include "host/interface.h"

void MarkingCheckDlgProc::ButtonDown(int id) {
    if (id != check_.button || GetInterface() == nullptr) {
        return;
    }
    findings_ = check_.search(GetInterface()->GetRootNode());
    ApplyMarks(findings_);
    SetStatusText(check_.statusLine, StatusText(check_, findings_));
}

ParamMapUserDlgProc* MarkingCheckPanel::CreateDlgProc() {
    return new (std::nothrow) MarkingCheckDlgProc(this, check_);
}
