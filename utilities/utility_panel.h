// What the seven utility panels share: the utility object that opens a page from the panel's
// dialog through a parameter map over its own parameter array, and the page's dialog procedure,
// which sets up the page's push buttons and status lines and runs a button's action when the
// button goes down.
#pragma once

#include <span>
#include <string>
#include <utility>
#include <vector>

#include "host/param_map.h"
#include "host/plugin_classes.h"

// A push button of a page and its tooltip.
struct PanelButton {
    int id;
    const char* tooltip;
};

// The fixed facts of one panel: its dialog, rollup title, push buttons and status lines.
struct PanelDescription {
    int dialog;
    const char* title;
    std::span<const PanelButton> buttons;
    std::span<const int> statusLines;
    // Whether the status lines are set to left-aligned text when the page opens.
    bool formatStatus = true;
};

class UtilityPanel : public UtilityObj, public IParamArray {
  public:
    explicit UtilityPanel(const PanelDescription& description) : description_(description) {}

    // Opens the page once: the parameter map, then the dialog procedure.
    void BeginEditParams(Interface* ip, IUtil* iu) override;
    // Destroys the parameter map, which frees the dialog procedure.
    void EndEditParams(Interface* ip, IUtil* iu) override;
    // Frees the panel; the class descriptor made it with new.
    void DeleteThis() override;

    // The host interface stored when the page opened.
    Interface* GetInterface() const { return ip_; }
    // The page's parameter map while the panel is open, else null.
    IParamMap* GetParamMap() const { return pmap_; }
    const PanelDescription& Description() const { return description_; }

  protected:
    // The page's dialog procedure, or null when it cannot be made.
    virtual ParamMapUserDlgProc* CreateDlgProc() = 0;
    // How many spinner descriptions the parameter map takes (only one panel has a spinner).
    virtual int ParamCount() const { return 0; }

  private:
    const PanelDescription& description_;
    IParamMap* pmap_ = nullptr;
    Interface* ip_ = nullptr;
};

class UtilityDlgProc : public ParamMapUserDlgProc {
  public:
    UtilityDlgProc(UtilityPanel* owner, const PanelDescription& description)
        : owner_(owner), description_(description) {}

    BOOL DlgProc(TimeValue t, IParamMap* map, HWND hWnd, UINT msg, WPARAM wParam,
                 LPARAM lParam) override;
    void DeleteThis() override { delete this; }

  protected:
    // The action of push button `id`, run when it goes down.
    virtual void ButtonDown(int id) = 0;
    // Page set-up beyond the buttons and status lines, and its undoing.
    virtual void InitDialog(HWND hWnd) {}
    virtual void Destroy() {}
    // Messages that the common part leaves alone; FALSE leaves them to the host.
    virtual BOOL OtherMessage(HWND hWnd, UINT msg, WPARAM wParam, LPARAM lParam) { return FALSE; }

    Interface* GetInterface() const { return owner_->GetInterface(); }
    // The status line `id` shows `text` (nothing when the page has no such line).
    void SetStatusText(int id, const char* text);

  private:
    UtilityPanel* owner_;
    const PanelDescription& description_;
    std::vector<std::pair<int, ICustButton*>> buttons_;
    std::vector<std::pair<int, ICustStatus*>> statusLines_;
};

// The panels' one spinner description: parameter 0 as a float between 0 and 2 on edit 1000 and
// spinner 1001. Only the sorting-group panel's page has these controls.
extern ParamUIDesc kUtilityParamDesc[1];
