#include "standalone/panels/panel_toolkit.h"

#include <algorithm>

namespace pellucid::standalone::panels {

PanelToolkit::~PanelToolkit() {
    // Pages still open when the host goes are closed as the host would close them.
    while (!pages_.empty()) {
        DestroyCPParamMap(pages_.back().get());
    }
}

HWND PanelToolkit::NewHandle() {
    return reinterpret_cast<HWND>(nextHandle_++);
}

IParamMap* PanelToolkit::CreateCPParamMap(ParamUIDesc* desc, int count, IParamArray* values,
                                          ::Interface* ip, HINSTANCE, const char* dialog,
                                          const char* title, DWORD) {
    const DialogTemplate* source = FindDialogTemplate(RESOURCE_ID(dialog));
    if (source == nullptr) {
        return nullptr;
    }
    std::vector<ParamUIDesc> descs;
    for (int i = 0; i < count && desc != nullptr; ++i) {
        descs.push_back(desc[i]);
    }
    const HWND handle = NewHandle();
    auto page =
        std::make_unique<PanelPage>(*source, title != nullptr ? title : "", handle,
                                    std::move(descs), values, ip, [this] { return NewHandle(); });
    for (const auto& control : page->Controls()) {
        controls_[control->Handle()] = control.get();
    }
    pageHandles_[handle] = page.get();
    pages_.push_back(std::move(page));
    ++made_;
    return pages_.back().get();
}

void PanelToolkit::DestroyCPParamMap(IParamMap* map) {
    const auto found = std::find_if(pages_.begin(), pages_.end(),
                                    [map](const auto& page) { return page.get() == map; });
    if (found == pages_.end()) {
        return;
    }
    PanelPage* page = found->get();
    page->Close();
    for (const auto& control : page->Controls()) {
        controls_.erase(control->Handle());
    }
    pageHandles_.erase(page->GetHWnd());
    // Found again: closing may have run library code that opened or closed pages.
    pages_.erase(std::find_if(pages_.begin(), pages_.end(),
                              [page](const auto& p) { return p.get() == page; }));
}

PanelPage* PanelToolkit::PageOf(HWND dialog) const {
    const auto found = pageHandles_.find(dialog);
    return found != pageHandles_.end() ? found->second : nullptr;
}

PageControl* PanelToolkit::ControlOf(HWND control) const {
    const auto found = controls_.find(control);
    return found != controls_.end() ? found->second : nullptr;
}

HWND PanelToolkit::GetDlgItem(HWND dialog, int id) {
    PanelPage* page = PageOf(dialog);
    PageControl* control = page != nullptr ? page->FindControl(id) : nullptr;
    return control != nullptr ? control->Handle() : nullptr;
}

UINT PanelToolkit::IsDlgButtonChecked(HWND dialog, int id) {
    PanelPage* page = PageOf(dialog);
    auto* box = page != nullptr ? page->Find<CheckBoxControl>(id) : nullptr;
    return box != nullptr && box->checked ? BST_CHECKED : BST_UNCHECKED;
}

BOOL PanelToolkit::CheckDlgButton(HWND dialog, int id, UINT check) {
    PanelPage* page = PageOf(dialog);
    auto* box = page != nullptr ? page->Find<CheckBoxControl>(id) : nullptr;
    if (box == nullptr) {
        return FALSE;
    }
    box->checked = check == BST_CHECKED;
    return TRUE;
}

template <typename T>
T* PanelToolkit::Obtain(HWND control) {
    auto* typed = dynamic_cast<T*>(ControlOf(control));
    if (typed == nullptr) {
        return nullptr;
    }
    outstanding_.insert(typed->Interface());
    return typed;
}

ICustButton* PanelToolkit::GetICustButton(HWND control) {
    return Obtain<ButtonControl>(control);
}

ICustStatus* PanelToolkit::GetICustStatus(HWND control) {
    return Obtain<StatusControl>(control);
}

ICustEdit* PanelToolkit::GetICustEdit(HWND control) {
    return Obtain<EditControl>(control);
}

ISpinnerControl* PanelToolkit::GetISpinner(HWND control) {
    return Obtain<SpinnerControl>(control);
}

void PanelToolkit::ReleaseControl(void* control) {
    const auto found = outstanding_.find(control);
    if (found != outstanding_.end()) {
        outstanding_.erase(found);
    }
}

std::vector<PanelPage*> PanelToolkit::Pages() const {
    std::vector<PanelPage*> pages;
    for (const auto& page : pages_) {
        pages.push_back(page.get());
    }
    return pages;
}

PanelPage* PanelToolkit::FindPage(const std::string& title) const {
    for (const auto& page : pages_) {
        if (page->Title() == title) {
            return page.get();
        }
    }
    return nullptr;
}

}  // namespace pellucid::standalone::panels
