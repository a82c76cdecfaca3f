// A utility panel opened as the host's Utilities panel opens one: the class is created through
// the library's class registry, given BeginEditParams, and on closing EndEditParams and
// DeleteThis. Its page is driven like a user would (presses, spinner clicks, typing).
#pragma once

#include <stdexcept>
#include <string>

#include "host/plugin_classes.h"
#include "standalone/panels/panel_toolkit.h"

namespace pellucid::standalone::panels {

class UtilitySession : private IUtil {
  public:
    // Opens the utility class named `className` on the host `ip`, whose toolkit is `toolkit`.
    // Throws std::invalid_argument when the library registers no such utility.
    UtilitySession(::Interface* ip, PanelToolkit& toolkit, const std::string& className);
    ~UtilitySession() override;
    UtilitySession(const UtilitySession&) = delete;
    UtilitySession& operator=(const UtilitySession&) = delete;

    // EndEditParams, then DeleteThis; a second call does nothing.
    void Close();
    bool IsOpen() const { return utility_ != nullptr; }

    UtilityObj* Utility() const { return utility_; }
    // The page that the utility opened, or null (closed, or none was made).
    PanelPage* Page() const { return page_; }
    // The page's dialog procedure as the library's class T, or null.
    template <typename T>
    T* DlgProc() const {
        return page_ != nullptr ? dynamic_cast<T*>(page_->GetUserDlgProc()) : nullptr;
    }

    // Driving the page; a control that the page lacks throws std::invalid_argument.
    void Press(int id);
    void ClickSpinner(int id, bool up = true);
    void TypeText(int id, const std::string& text);
    void ClickCheckBox(int id);
    std::string StatusText(int id) const;
    std::string EditText(int id) const;

  private:
    void CloseUtility() override { Close(); }
    PanelPage& RequirePage() const;

    ::Interface* ip_;
    PanelToolkit& toolkit_;
    UtilityObj* utility_ = nullptr;
    PanelPage* page_ = nullptr;
};

}  // namespace pellucid::standalone::panels
