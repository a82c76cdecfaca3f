#include "host/dialog_controls.h"

#include "host/interface.h"
#include "host/param_map.h"

namespace {

HostPanels* Panels() {
    HostPlatform* platform = GetHostPlatform();
    return platform != nullptr ? platform->Panels() : nullptr;
}

void Release(void* control) {
    if (HostPanels* panels = Panels(); panels != nullptr && control != nullptr) {
        panels->ReleaseControl(control);
    }
}

}  // namespace

HWND GetDlgItem(HWND dialog, int id) {
    HostPanels* panels = Panels();
    return panels != nullptr ? panels->GetDlgItem(dialog, id) : nullptr;
}

UINT IsDlgButtonChecked(HWND dialog, int id) {
    HostPanels* panels = Panels();
    return panels != nullptr ? panels->IsDlgButtonChecked(dialog, id) : BST_UNCHECKED;
}

BOOL CheckDlgButton(HWND dialog, int id, UINT check) {
    HostPanels* panels = Panels();
    return panels != nullptr ? panels->CheckDlgButton(dialog, id, check) : FALSE;
}

ICustButton* GetICustButton(HWND control) {
    HostPanels* panels = Panels();
    return panels != nullptr ? panels->GetICustButton(control) : nullptr;
}

void ReleaseICustButton(ICustButton* button) {
    Release(button);
}

ICustStatus* GetICustStatus(HWND control) {
    HostPanels* panels = Panels();
    return panels != nullptr ? panels->GetICustStatus(control) : nullptr;
}

void ReleaseICustStatus(ICustStatus* status) {
    Release(status);
}

ICustEdit* GetICustEdit(HWND control) {
    HostPanels* panels = Panels();
    return panels != nullptr ? panels->GetICustEdit(control) : nullptr;
}

void ReleaseICustEdit(ICustEdit* edit) {
    Release(edit);
}

ISpinnerControl* GetISpinner(HWND control) {
    HostPanels* panels = Panels();
    return panels != nullptr ? panels->GetISpinner(control) : nullptr;
}

void ReleaseISpinner(ISpinnerControl* spinner) {
    Release(spinner);
}

IParamMap* CreateCPParamMap(ParamUIDesc* desc, int count, IParamArray* values, Interface* ip,
                            HINSTANCE instance, const char* dialog, const char* title,
                            DWORD flags) {
    HostPanels* panels = Panels();
    return panels != nullptr
               ? panels->CreateCPParamMap(desc, count, values, ip, instance, dialog, title, flags)
               : nullptr;
}

void DestroyCPParamMap(IParamMap* map) {
    if (HostPanels* panels = Panels(); panels != nullptr && map != nullptr) {
        panels->DestroyCPParamMap(map);
    }
}
