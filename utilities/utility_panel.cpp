#include "utilities/utility_panel.h"

#include <new>

#include "resources/resource_ids.h"
#include "services/module_handle.h"

ParamUIDesc kUtilityParamDesc[1] = {
    {0, EDITTYPE_FLOAT, IDC_STRENGTH_EDIT, IDC_STRENGTH_SPIN, 0.0f, 2.0f, -1.0f},
};

void UtilityPanel::BeginEditParams(Interface* ip, IUtil*) {
    if (pmap_ != nullptr) {
        return;
    }
    pmap_ = CreateCPParamMap(kUtilityParamDesc, ParamCount(), this, ip, hInstance,
                             MAKEINTRESOURCE(description_.dialog), description_.title, 0);
    ip_ = ip;
    if (pmap_ != nullptr) {
        // Without a procedure the page shows, but its buttons do nothing.
        pmap_->SetUserDlgProc(CreateDlgProc());
    }
}

void UtilityPanel::EndEditParams(Interface*, IUtil*) {
    DestroyCPParamMap(pmap_);
    pmap_ = nullptr;
}

void UtilityPanel::DeleteThis() {
    delete this;
}

BOOL UtilityDlgProc::DlgProc(TimeValue, IParamMap*, HWND hWnd, UINT msg, WPARAM wParam,
                             LPARAM lParam) {
    switch (msg) {
        case WM_INITDIALOG:
            for (const PanelButton& button : description_.buttons) {
                ICustButton* control = GetICustButton(GetDlgItem(hWnd, button.id));
                if (control != nullptr) {
                    control->SetType(CBT_PUSH);
                    control->SetButtonDownNotify(TRUE);
                    control->SetTooltip(TRUE, button.tooltip);
                }
                buttons_.emplace_back(button.id, control);
            }
            for (int id : description_.statusLines) {
                ICustStatus* control = GetICustStatus(GetDlgItem(hWnd, id));
                if (control != nullptr) {
                    if (description_.formatStatus) {
                        control->SetTextFormat(STATUSTEXT_LEFT);
                    }
                    control->SetText("");
                }
                statusLines_.emplace_back(id, control);
            }
            InitDialog(hWnd);
            return TRUE;
        case WM_DESTROY:
            for (auto& [id, control] : buttons_) {
                ReleaseICustButton(control);
            }
            for (auto& [id, control] : statusLines_) {
                ReleaseICustStatus(control);
            }
            buttons_.clear();
            statusLines_.clear();
            Destroy();
            return FALSE;
        case WM_COMMAND:
            if (HIWORD(wParam) == BN_BUTTONDOWN) {
                const int id = static_cast<int>(LOWORD(wParam));
                for (const PanelButton& button : description_.buttons) {
                    if (button.id == id) {
                        ButtonDown(id);
                        return FALSE;
                    }
                }
            }
            return FALSE;
        default:
            return OtherMessage(hWnd, msg, wParam, lParam);
    }
}

void UtilityDlgProc::SetStatusText(int id, const char* text) {
    for (auto& [statusId, control] : statusLines_) {
        if (statusId == id && control != nullptr) {
            control->SetText(text);
        }
    }
}
