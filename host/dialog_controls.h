// Dialog pages and the host's custom controls as the library sees them: window messages, dialog
// items, check boxes, custom buttons, status lines, edits and spinners. The host that loaded the
// library supplies them (HostPlatform::Panels); without one every lookup gives null.
#pragma once

#include <string>

#include "host/max_types.h"

// Window messages that the library's dialog procedures handle.
constexpr UINT WM_DESTROY = 0x0002;
constexpr UINT WM_INITDIALOG = 0x0110;
constexpr UINT WM_COMMAND = 0x0111;
constexpr UINT WM_USER = 0x0400;

// Notification codes of a custom button, in the high word of WM_COMMAND's wParam.
constexpr UINT BN_CLICKED = 0;
constexpr UINT BN_BUTTONDOWN = 8173;
constexpr UINT BN_BUTTONUP = 8174;

// Spinner messages; the spinner's control id is the low word of wParam.
constexpr UINT CC_SPINNER_CHANGE = WM_USER + 600;
constexpr UINT CC_SPINNER_BUTTONDOWN = WM_USER + 601;
constexpr UINT CC_SPINNER_BUTTONUP = WM_USER + 602;

constexpr UINT BST_UNCHECKED = 0;
constexpr UINT BST_CHECKED = 1;

constexpr WPARAM MAKEWPARAM(unsigned low, unsigned high) {
    return static_cast<WPARAM>((low & 0xffffu) | ((high & 0xffffu) << 16));
}
constexpr unsigned LOWORD(WPARAM w) {
    return static_cast<unsigned>(w & 0xffffu);
}
constexpr unsigned HIWORD(WPARAM w) {
    return static_cast<unsigned>((w >> 16) & 0xffffu);
}

// A resource named by its number, as the system's resource functions take it.
inline const char* MAKEINTRESOURCE(int id) {
    return reinterpret_cast<const char*>(static_cast<std::uintptr_t>(static_cast<unsigned>(id)));
}
inline int RESOURCE_ID(const char* resource) {
    return static_cast<int>(reinterpret_cast<std::uintptr_t>(resource) & 0xffffu);
}

// Custom button kinds.
enum CustButType { CBT_PUSH, CBT_CHECK };

class ICustButton {
  public:
    virtual ~ICustButton() = default;
    virtual void SetType(CustButType type) = 0;
    // Asks for BN_BUTTONDOWN and BN_BUTTONUP besides BN_CLICKED.
    virtual void SetButtonDownNotify(BOOL notify) = 0;
    virtual void SetTooltip(BOOL onOff, const char* text) = 0;
    virtual void SetText(const char* text) = 0;
};

// Status-line text formats.
constexpr int STATUSTEXT_LEFT = 0;
constexpr int STATUSTEXT_CENTERED = 1;
constexpr int STATUSTEXT_RIGHT = 2;

class ICustStatus {
  public:
    virtual ~ICustStatus() = default;
    virtual void SetText(const char* text) = 0;
    virtual void SetTextFormat(int format) = 0;
    virtual void GetText(char* text, int size) = 0;
};

class ICustEdit {
  public:
    virtual ~ICustEdit() = default;
    virtual void SetText(const char* text) = 0;
    virtual void GetText(char* text, int size) = 0;
};

class ISpinnerControl {
  public:
    virtual ~ISpinnerControl() = default;
    virtual float GetFVal() = 0;
    virtual int GetIVal() = 0;
    virtual void SetValue(float value, int notify) = 0;
    virtual void SetValue(int value, int notify) = 0;
    virtual void SetLimits(float min, float max, int limitCurValue = TRUE) = 0;
    virtual void SetScale(float scale) = 0;
};

class IParamMap;
class ParamMapUserDlgProc;
class IParamArray;
class Interface;
struct ParamUIDesc;

// What a host offers for the library's panels: parameter maps built from its dialog templates,
// dialog items and custom controls addressed by window handle.
class HostPanels {
  public:
    virtual ~HostPanels() = default;
    virtual IParamMap* CreateCPParamMap(ParamUIDesc* desc, int count, IParamArray* values,
                                        Interface* ip, HINSTANCE instance, const char* dialog,
                                        const char* title, DWORD flags) = 0;
    virtual void DestroyCPParamMap(IParamMap* map) = 0;
    virtual HWND GetDlgItem(HWND dialog, int id) = 0;
    virtual UINT IsDlgButtonChecked(HWND dialog, int id) = 0;
    virtual BOOL CheckDlgButton(HWND dialog, int id, UINT check) = 0;
    virtual ICustButton* GetICustButton(HWND control) = 0;
    virtual ICustStatus* GetICustStatus(HWND control) = 0;
    virtual ICustEdit* GetICustEdit(HWND control) = 0;
    virtual ISpinnerControl* GetISpinner(HWND control) = 0;
    // Gives back a control interface obtained above.
    virtual void ReleaseControl(void* control) = 0;
};

HWND GetDlgItem(HWND dialog, int id);
UINT IsDlgButtonChecked(HWND dialog, int id);
BOOL CheckDlgButton(HWND dialog, int id, UINT check);
ICustButton* GetICustButton(HWND control);
void ReleaseICustButton(ICustButton* button);
ICustStatus* GetICustStatus(HWND control);
void ReleaseICustStatus(ICustStatus* status);
ICustEdit* GetICustEdit(HWND control);
void ReleaseICustEdit(ICustEdit* edit);
ISpinnerControl* GetISpinner(HWND control);
void ReleaseISpinner(ISpinnerControl* spinner);
