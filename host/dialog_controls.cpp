#include "host/dialog_controls.h"

#include <type_traits>

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

// The host's panels answer; without them (no host, or a host without panels), `none`.
template <typename Result, typename... Params, typename... Args>
Result Ask(Result (HostPanels::*question)(Params...), std::type_identity_t<Result> none,
           Args... args) {
    HostPanels* panels = Panels();
    return panels != nullptr ? (panels->*question)(args...) : none;
}

}  // namespace

HWND GetDlgItem(HWND dialog, int id) {
    return Ask(&HostPanels::GetDlgItem, nullptr, dialog, id);
}

UINT IsDlgButtonChecked(HWND dialog, int id) {
    return Ask(&HostPanels::IsDlgButtonChecked, BST_UNCHECKED, dialog, id);
}

BOOL CheckDlgButton(HWND dialog, int id, UINT check) {
    return Ask(&HostPanels::CheckDlgButton, FALSE, dialog, id, check);
}

ICustButton* GetICustButton(HWND control) {
    return Ask(&HostPanels::GetICustButton, nullptr, control);
}

void ReleaseICustButton(ICustButton* button) {
    Release(button);
}

ICustStatus* GetICustStatus(HWND control) {
    return Ask(&HostPanels::GetICustStatus, nullptr, control);
}

void ReleaseICustStatus(ICustStatus* status) {
    Release(status);
}

ICustEdit* GetICustEdit(HWND control) {
    return Ask(&HostPanels::GetICustEdit, nullptr, control);
}

void ReleaseICustEdit(ICustEdit* edit) {
    Release(edit);
}

ISpinnerControl* GetISpinner(HWND control) {
    return Ask(&HostPanels::GetISpinner, nullptr, control);
}

void ReleaseISpinner(ISpinnerControl* spinner) {
    Release(spinner);
}

IParamMap* CreateCPParamMap(ParamUIDesc* desc, int count, IParamArray* values, Interface* ip,
                            HINSTANCE instance, const char* dialog, const char* title,
                            DWORD flags) {
    return Ask(&HostPanels::CreateCPParamMap, nullptr, desc, count, values, ip, instance, dialog,
               title, flags);
}

void DestroyCPParamMap(IParamMap* map) {
    if (HostPanels* panels = Panels(); panels != nullptr && map != nullptr) {
        panels->DestroyCPParamMap(map);
    }
}
