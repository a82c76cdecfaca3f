// The stand-alone host's panel toolkit: parameter maps made from the library's dialog
// templates, and the dialog items and custom controls that the library asks for by window
// handle. Handles are numbers that only this toolkit gives meaning to.
#pragma once

#include <cstdint>
#include <map>
#include <memory>
#include <set>
#include <string>
#include <vector>

#include "standalone/panels/panel_page.h"

namespace pellucid::standalone::panels {

class PanelToolkit : public HostPanels {
  public:
    PanelToolkit() = default;
    ~PanelToolkit() override;
    PanelToolkit(const PanelToolkit&) = delete;
    PanelToolkit& operator=(const PanelToolkit&) = delete;

    // HostPanels. A dialog that the library has no template for gives no map.
    IParamMap* CreateCPParamMap(ParamUIDesc* desc, int count, IParamArray* values, ::Interface* ip,
                                HINSTANCE instance, const char* dialog, const char* title,
                                DWORD flags) override;
    void DestroyCPParamMap(IParamMap* map) override;
    HWND GetDlgItem(HWND dialog, int id) override;
    UINT IsDlgButtonChecked(HWND dialog, int id) override;
    BOOL CheckDlgButton(HWND dialog, int id, UINT check) override;
    ICustButton* GetICustButton(HWND control) override;
    ICustStatus* GetICustStatus(HWND control) override;
    ICustEdit* GetICustEdit(HWND control) override;
    ISpinnerControl* GetISpinner(HWND control) override;
    void ReleaseControl(void* control) override;

    // The open pages in the order they were made.
    std::vector<PanelPage*> Pages() const;
    // The open page with this title, or null.
    PanelPage* FindPage(const std::string& title) const;
    // How many pages were ever made (a page made since `Made()` was read is new).
    size_t Made() const { return made_; }
    // Control interfaces handed out and not given back.
    int Outstanding() const { return static_cast<int>(outstanding_.size()); }

  private:
    HWND NewHandle();
    PageControl* ControlOf(HWND control) const;
    PanelPage* PageOf(HWND dialog) const;
    template <typename T>
    T* Obtain(HWND control);

    std::vector<std::unique_ptr<PanelPage>> pages_;
    std::map<HWND, PageControl*> controls_;
    std::map<HWND, PanelPage*> pageHandles_;
    std::multiset<void*> outstanding_;
    std::uintptr_t nextHandle_ = 0x1000;
    size_t made_ = 0;
};

}  // namespace pellucid::standalone::panels
