// The controls of a stand-alone panel page, each one the host's custom control that the library
// asks for by window handle: push buttons, status lines, edits, spinners, check boxes, and the
// labels, group boxes and pictures that only show.
#pragma once

#include <string>

#include "host/dialog_controls.h"
#include "resources/dialog_templates.h"

namespace pellucid::standalone::panels {

class PageControl {
  public:
    PageControl(const DialogControl& source, HWND handle) : source_(source), handle_(handle) {}
    virtual ~PageControl() = default;
    PageControl(const PageControl&) = delete;
    PageControl& operator=(const PageControl&) = delete;

    int Id() const { return source_.id; }
    ControlKind Kind() const { return source_.kind; }
    const DialogControl& Source() const { return source_; }
    HWND Handle() const { return handle_; }
    // The host interface that the library obtains for this control, or null for none.
    virtual void* Interface() { return nullptr; }

  private:
    const DialogControl& source_;
    HWND handle_;
};

class ButtonControl : public PageControl, public ICustButton {
  public:
    ButtonControl(const DialogControl& source, HWND handle)
        : PageControl(source, handle), text(source.caption) {}
    void* Interface() override { return static_cast<ICustButton*>(this); }

    void SetType(CustButType t) override { type = t; }
    void SetButtonDownNotify(BOOL notify) override { downNotify = notify != FALSE; }
    void SetTooltip(BOOL onOff, const char* text) override;
    void SetText(const char* t) override { text = t != nullptr ? t : ""; }

    CustButType type = CBT_PUSH;
    bool downNotify = false;
    bool tooltipOn = false;
    std::string tooltip;
    std::string text;
};

class StatusControl : public PageControl, public ICustStatus {
  public:
    using PageControl::PageControl;
    void* Interface() override { return static_cast<ICustStatus*>(this); }

    void SetText(const char* t) override { text = t != nullptr ? t : ""; }
    void SetTextFormat(int f) override { format = f; }
    void GetText(char* out, int size) override;

    std::string text;
    // -1 until the library sets a format.
    int format = -1;
};

class EditControl : public PageControl, public ICustEdit {
  public:
    using PageControl::PageControl;
    void* Interface() override { return static_cast<ICustEdit*>(this); }

    void SetText(const char* t) override { text = t != nullptr ? t : ""; }
    void GetText(char* out, int size) override;

    std::string text;
};

class SpinnerControl : public PageControl, public ISpinnerControl {
  public:
    using PageControl::PageControl;
    void* Interface() override { return static_cast<ISpinnerControl*>(this); }

    float GetFVal() override { return value; }
    int GetIVal() override { return static_cast<int>(value); }
    void SetValue(float v, int notify) override;
    void SetValue(int v, int notify) override { SetValue(static_cast<float>(v), notify); }
    void SetLimits(float lo, float hi, int limitCurValue = TRUE) override;
    void SetScale(float s) override { scale = s; }

    // The step of one click: the scale, or a step of its own for an automatic scale.
    float Step() const;

    float value = 0.0f;
    float low = -1.0e30f;
    float high = 1.0e30f;
    float scale = -1.0f;
    bool integer = false;
};

class CheckBoxControl : public PageControl {
  public:
    using PageControl::PageControl;
    bool checked = false;
};

}  // namespace pellucid::standalone::panels
