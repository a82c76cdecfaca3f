#include "standalone/panels/utility_session.h"

#include <cstring>

#include "plugin/library.h"

namespace pellucid::standalone::panels {

namespace {

[[noreturn]] void NoControl(int id, const char* what) {
    throw std::invalid_argument("the page has no " + std::string(what) + " " + std::to_string(id));
}

}  // namespace

UtilitySession::UtilitySession(::Interface* ip, PanelToolkit& toolkit, const std::string& className)
    : ip_(ip), toolkit_(toolkit) {
    for (int i = 0; i < LibNumberClasses(); ++i) {
        ClassDesc* desc = LibClassDesc(i);
        const char* name = desc != nullptr ? desc->ClassName() : nullptr;
        if (desc != nullptr && desc->SuperClassID() == UTILITY_CLASS_ID && name != nullptr &&
            className == name) {
            utility_ = static_cast<UtilityObj*>(desc->Create(FALSE));
            break;
        }
    }
    if (utility_ == nullptr) {
        throw std::invalid_argument("the library registers no utility named " + className);
    }
    const size_t before = toolkit_.Made();
    utility_->BeginEditParams(ip_, this);
    const std::vector<PanelPage*> pages = toolkit_.Pages();
    if (toolkit_.Made() > before && !pages.empty()) {
        page_ = pages.back();
    }
}

UtilitySession::~UtilitySession() {
    Close();
}

void UtilitySession::Close() {
    if (utility_ == nullptr) {
        return;
    }
    UtilityObj* utility = utility_;
    utility_ = nullptr;
    page_ = nullptr;
    utility->EndEditParams(ip_, this);
    utility->DeleteThis();
}

PanelPage& UtilitySession::RequirePage() const {
    if (page_ == nullptr) {
        throw std::invalid_argument("the utility has no open page");
    }
    return *page_;
}

void UtilitySession::Press(int id) {
    if (!RequirePage().Press(id)) {
        NoControl(id, "button");
    }
}

void UtilitySession::ClickSpinner(int id, bool up) {
    if (!RequirePage().ClickSpinner(id, up)) {
        NoControl(id, "spinner");
    }
}

void UtilitySession::TypeText(int id, const std::string& text) {
    if (!RequirePage().TypeText(id, text)) {
        NoControl(id, "edit");
    }
}

void UtilitySession::ClickCheckBox(int id) {
    if (!RequirePage().ClickCheckBox(id)) {
        NoControl(id, "check box");
    }
}

std::string UtilitySession::StatusText(int id) const {
    auto* status = RequirePage().Find<StatusControl>(id);
    if (status == nullptr) {
        NoControl(id, "status line");
    }
    return status->text;
}

std::string UtilitySession::EditText(int id) const {
    auto* edit = RequirePage().Find<EditControl>(id);
    if (edit == nullptr) {
        NoControl(id, "edit");
    }
    return edit->text;
}

}  // namespace pellucid::standalone::panels
