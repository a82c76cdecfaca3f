// A rollup page of the stand-alone panel toolkit: the controls of one dialog template, and the
// parameter map that ties its spinners to a parameter array and hands everything else to the
// library's dialog procedure.
#pragma once

#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "host/interface.h"
#include "host/param_map.h"
#include "standalone/panels/panel_controls.h"

namespace pellucid::standalone::panels {

class PanelPage : public IParamMap {
  public:
    using HandleMaker = std::function<HWND()>;
    PanelPage(const DialogTemplate& dialog, std::string title, HWND handle,
              std::vector<ParamUIDesc> descs, IParamArray* values, ::Interface* ip,
              const HandleMaker& makeHandle);
    ~PanelPage() override;
    PanelPage(const PanelPage&) = delete;
    PanelPage& operator=(const PanelPage&) = delete;

    // IParamMap.
    void SetUserDlgProc(ParamMapUserDlgProc* proc = nullptr) override;
    ParamMapUserDlgProc* GetUserDlgProc() override { return proc_; }
    void SetParamBlock(IParamArray* values) override;
    void Invalidate() override;
    HWND GetHWnd() override { return handle_; }

    // Sends WM_DESTROY to the procedure and frees it, as the host does when it destroys a map.
    void Close();

    int DialogId() const { return dialog_.id; }
    const std::string& Title() const { return title_; }
    IParamArray* Values() const { return values_; }
    const std::vector<std::unique_ptr<PageControl>>& Controls() const { return controls_; }
    // The control `id` of the kind asked, or null.
    PageControl* FindControl(int id) const;
    template <typename T>
    T* Find(int id) const {
        for (const auto& c : controls_) {
            if (auto* typed = dynamic_cast<T*>(c.get()); typed != nullptr && c->Id() == id) {
                return typed;
            }
        }
        return nullptr;
    }

    // What a user does on the page; each answers false when the page has no such control.
    // A press sends BN_BUTTONDOWN (when the library asked for it), then on release BN_BUTTONUP
    // and BN_CLICKED.
    bool Press(int id);
    // A click on the spinner's up (or down) arrow: button down, one step, button up.
    bool ClickSpinner(int id, bool up);
    // Typing into an edit; an edit of a parameter spinner takes the number, clamped.
    bool TypeText(int id, const std::string& text);
    // Clicking a check box toggles it.
    bool ClickCheckBox(int id);

  private:
    BOOL Send(UINT msg, WPARAM wParam, LPARAM lParam);
    // The parameter description whose spinner or edit is `id`, or null.
    const ParamUIDesc* DescFor(int id) const;
    // Writes a spinner's value to the parameter array and shows it in its edit.
    void Store(const ParamUIDesc& desc, SpinnerControl& spinner);
    void Show(const ParamUIDesc& desc);
    TimeValue Now() const;

    const DialogTemplate& dialog_;
    std::string title_;
    HWND handle_;
    std::vector<ParamUIDesc> descs_;
    IParamArray* values_;
    ::Interface* ip_;
    std::vector<std::unique_ptr<PageControl>> controls_;
    ParamMapUserDlgProc* proc_ = nullptr;
    bool closed_ = false;
};

}  // namespace pellucid::standalone::panels
