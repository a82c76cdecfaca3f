#include "standalone/panels/panel_page.h"

#include <fmt/format.h>
#include <cerrno>
#include <cstdlib>

namespace pellucid::standalone::panels {

namespace {

std::unique_ptr<PageControl> MakeControl(const DialogControl& source, HWND handle) {
    switch (source.kind) {
        case ControlKind::CustButton:
            return std::make_unique<ButtonControl>(source, handle);
        case ControlKind::CustStatus:
            return std::make_unique<StatusControl>(source, handle);
        case ControlKind::CustEdit:
            return std::make_unique<EditControl>(source, handle);
        case ControlKind::SpinnerControl:
            return std::make_unique<SpinnerControl>(source, handle);
        case ControlKind::CheckBox:
            return std::make_unique<CheckBoxControl>(source, handle);
        case ControlKind::Label:
        case ControlKind::GroupBox:
        case ControlKind::Picture:
            break;
    }
    return std::make_unique<PageControl>(source, handle);
}

}  // namespace

PanelPage::PanelPage(const DialogTemplate& dialog, std::string title, HWND handle,
                     std::vector<ParamUIDesc> descs, IParamArray* values, ::Interface* ip,
                     const HandleMaker& makeHandle)
    : dialog_(dialog),
      title_(std::move(title)),
      handle_(handle),
      descs_(std::move(descs)),
      values_(values),
      ip_(ip) {
    for (const DialogControl& source : dialog.controls) {
        controls_.push_back(MakeControl(source, makeHandle()));
    }
    for (const ParamUIDesc& desc : descs_) {
        if (auto* spinner = Find<SpinnerControl>(desc.spinnerId)) {
            spinner->integer = desc.spinType == EDITTYPE_INT;
            spinner->SetLimits(desc.lowLimit, desc.highLimit, FALSE);
            spinner->SetScale(desc.scale);
        }
        Show(desc);
    }
}

PanelPage::~PanelPage() {
    Close();
}

PageControl* PanelPage::FindControl(int id) const {
    for (const auto& c : controls_) {
        if (c->Id() == id) {
            return c.get();
        }
    }
    return nullptr;
}

void PanelPage::SetUserDlgProc(ParamMapUserDlgProc* proc) {
    if (proc_ != nullptr && proc_ != proc) {
        Send(WM_DESTROY, 0, 0);
        proc_->DeleteThis();
    }
    proc_ = proc;
    Send(WM_INITDIALOG, 0, 0);
}

void PanelPage::SetParamBlock(IParamArray* values) {
    values_ = values;
    Invalidate();
}

void PanelPage::Invalidate() {
    for (const ParamUIDesc& desc : descs_) {
        Show(desc);
    }
}

void PanelPage::Close() {
    if (closed_) {
        return;
    }
    if (proc_ != nullptr) {
        Send(WM_DESTROY, 0, 0);
        proc_->DeleteThis();
        proc_ = nullptr;
    }
    closed_ = true;
}

BOOL PanelPage::Send(UINT msg, WPARAM wParam, LPARAM lParam) {
    if (proc_ == nullptr || closed_) {
        return FALSE;
    }
    return proc_->DlgProc(Now(), this, handle_, msg, wParam, lParam);
}

TimeValue PanelPage::Now() const {
    return ip_ != nullptr ? ip_->GetTime() : 0;
}

const ParamUIDesc* PanelPage::DescFor(int id) const {
    for (const ParamUIDesc& desc : descs_) {
        if (desc.spinnerId == id || desc.editId == id) {
            return &desc;
        }
    }
    return nullptr;
}

void PanelPage::Show(const ParamUIDesc& desc) {
    auto* spinner = Find<SpinnerControl>(desc.spinnerId);
    if (spinner == nullptr || values_ == nullptr) {
        return;
    }
    Interval valid = FOREVER;
    if (desc.spinType == EDITTYPE_INT) {
        int v = 0;
        values_->GetValue(desc.index, Now(), v, valid);
        spinner->value = static_cast<float>(v);
    } else {
        float v = 0.0f;
        values_->GetValue(desc.index, Now(), v, valid);
        spinner->value = v;
    }
    if (auto* edit = Find<EditControl>(desc.editId)) {
        edit->text = desc.spinType == EDITTYPE_INT
                         ? fmt::format("{}", static_cast<int>(spinner->value))
                         : fmt::format("{:.3f}", spinner->value);
    }
}

void PanelPage::Store(const ParamUIDesc& desc, SpinnerControl& spinner) {
    if (values_ != nullptr) {
        if (desc.spinType == EDITTYPE_INT) {
            values_->SetValue(desc.index, Now(), static_cast<int>(spinner.value));
        } else {
            values_->SetValue(desc.index, Now(), spinner.value);
        }
    }
    Show(desc);
}

bool PanelPage::Press(int id) {
    auto* button = Find<ButtonControl>(id);
    if (button == nullptr) {
        return false;
    }
    const auto uid = static_cast<unsigned>(id);
    if (button->downNotify) {
        Send(WM_COMMAND, MAKEWPARAM(uid, BN_BUTTONDOWN), 0);
        Send(WM_COMMAND, MAKEWPARAM(uid, BN_BUTTONUP), 0);
    }
    Send(WM_COMMAND, MAKEWPARAM(uid, BN_CLICKED), 0);
    return true;
}

bool PanelPage::ClickSpinner(int id, bool up) {
    auto* spinner = Find<SpinnerControl>(id);
    if (spinner == nullptr) {
        return false;
    }
    const auto uid = static_cast<unsigned>(id);
    const auto lParam = reinterpret_cast<LPARAM>(static_cast<ISpinnerControl*>(spinner));
    Send(CC_SPINNER_BUTTONDOWN, MAKEWPARAM(uid, 0), lParam);
    spinner->SetValue(spinner->value + (up ? spinner->Step() : -spinner->Step()), FALSE);
    if (const ParamUIDesc* desc = DescFor(id)) {
        Store(*desc, *spinner);
    }
    Send(CC_SPINNER_CHANGE, MAKEWPARAM(uid, 0), lParam);
    Send(CC_SPINNER_BUTTONUP, MAKEWPARAM(uid, TRUE), lParam);
    return true;
}

bool PanelPage::TypeText(int id, const std::string& text) {
    auto* edit = Find<EditControl>(id);
    if (edit == nullptr) {
        return false;
    }
    const ParamUIDesc* desc = DescFor(id);
    auto* spinner = desc != nullptr ? Find<SpinnerControl>(desc->spinnerId) : nullptr;
    if (spinner == nullptr) {
        edit->text = text;
        return true;
    }
    // A text that is not a number leaves the value as it was.
    errno = 0;
    char* end = nullptr;
    const float v = std::strtof(text.c_str(), &end);
    if (end != text.c_str() && errno == 0) {
        spinner->SetValue(v, FALSE);
        Store(*desc, *spinner);
        const auto uid = static_cast<unsigned>(desc->spinnerId);
        Send(CC_SPINNER_CHANGE, MAKEWPARAM(uid, 0),
             reinterpret_cast<LPARAM>(static_cast<ISpinnerControl*>(spinner)));
    } else {
        Show(*desc);
    }
    return true;
}

bool PanelPage::ClickCheckBox(int id) {
    auto* box = Find<CheckBoxControl>(id);
    if (box == nullptr) {
        return false;
    }
    box->checked = !box->checked;
    Send(WM_COMMAND, MAKEWPARAM(static_cast<unsigned>(id), BN_CLICKED), 0);
    return true;
}

}  // namespace pellucid::standalone::panels
