#include "resources/dialog_templates.h"

#include <algorithm>
#include <array>

#include "resources/resource_ids.h"

namespace {

using K = ControlKind;

// Every page is as wide as the command panel.
constexpr int kPageWidth = 108;

template <size_t N>
using Controls = std::array<DialogControl, N>;

// The controls of a page, from its rows in order.
template <size_t... N>
constexpr auto Page(const Controls<N>&... rows) {
    Controls<(N + ...)> page{};
    size_t next = 0;
    ((std::copy(rows.begin(), rows.end(), page.begin() + next), next += N), ...);
    return page;
}

template <typename... Control>
constexpr auto Row(const Control&... controls) {
    return Controls<sizeof...(Control)>{controls...};
}

// A labelled number: the label, its edit field at `y` and the spinner at the page's right edge.
struct NumberField {
    std::string_view label;
    int labelX, labelY, labelWidth;
    int edit, editX, editWidth;
    int spinner;
    int y;
};

constexpr Controls<3> Field(const NumberField& f) {
    return {{{K::Label, IDC_STATIC, f.label, f.labelX, f.labelY, f.labelWidth, 8},
             {K::CustEdit, f.edit, "", f.editX, f.y, f.editWidth, 10},
             {K::SpinnerControl, f.spinner, "", 91, f.y, 7, 10}}};
}

// The check pages' button at the top and the status line under it.
constexpr Controls<2> CheckButton(int button, std::string_view caption, int status) {
    return {{{K::CustButton, button, caption, 8, 8, 91, 12},
             {K::CustStatus, status, "", 8, 26, 91, 13}}};
}

constexpr DialogControl CopyOption(int id, std::string_view caption, int y, int width) {
    return {K::CheckBox, id, caption, 11, y, width, 10};
}

// A group box holding a Next and a Prev button.
constexpr Controls<3> Browser(std::string_view caption, int y, int height, int next, int prev,
                              int buttonY, int prevX) {
    return {{{K::GroupBox, IDC_STATIC, caption, 5, y, 95, height},
             {K::CustButton, next, "Next", 13, buttonY, 36, 12},
             {K::CustButton, prev, "Prev", prevX, buttonY, 36, 12}}};
}

constexpr auto kCollBoxParams =
    Page(Field({"Length:", 8, 6, 36, IDC_LENGTHEDIT, 45, 45, IDC_LENSPINNER, 5}),
         Field({"Width:", 8, 19, 36, IDC_WIDTHEDIT, 45, 45, IDC_WIDTHSPINNER, 18}),
         Field({"Height:", 8, 32, 36, IDC_HEIGHTEDIT, 45, 45, IDC_HEIGHTSPINNER, 31}));

constexpr auto kCheckSortingGroup =
    Page(Field({"Sorting strength:", 8, 6, 52, IDC_STRENGTH_EDIT, 61, 29, IDC_STRENGTH_SPIN, 5}),
         Row(DialogControl{K::CustButton, IDC_CHECK_SORTING_GROUP, "Check", 8, 23, 91, 12},
             DialogControl{K::CustStatus, IDC_STATUS, "", 8, 41, 91, 12}));

constexpr auto kCheckVolume = CheckButton(IDC_CHECK_VOLUME, "Check Volume", IDC_STATUS);
constexpr auto kCheckMaterial = CheckButton(IDC_CHECK_MATERIAL, "Check Material", IDC_STATUS);
constexpr auto kCheckMapping = CheckButton(IDC_CHECK_MAPPING, "Check Mapping", IDC_STATUS);
constexpr auto kCheckTexelSize =
    Page(CheckButton(IDC_CHECK_TEXELSIZE, "Check Texelsize", IDC_TEXELSIZE_STATUS),
         Row(DialogControl{K::CustStatus, IDC_TEXELSIZE_STATUS2, "", 8, 44, 91, 13}));

constexpr auto kCopyBones =
    Page(Field({"Source:", 3, 5, 28, IDC_SOURCE_EDIT, 33, 57, IDC_SOURCE_SPIN, 5}),
         Field({"Target:", 4, 18, 28, IDC_TARGET_EDIT, 33, 57, IDC_TARGET_SPIN, 18}),
         Row(DialogControl{K::GroupBox, IDC_STATIC, "Copy options", 5, 31, 95, 64},
             CopyOption(IDC_COPY_POSITION, "Position", 42, 41),
             CopyOption(IDC_COPY_ROTATION, "Rotation", 54, 41),
             CopyOption(IDC_COPY_SCALE, "Scale", 66, 41),
             CopyOption(IDC_COPY_NODEDATA, "Node data", 79, 49),
             DialogControl{K::CustButton, IDC_COPY_BONES, "Copy Bones", 7, 99, 91, 12},
             DialogControl{K::Picture, IDC_STATIC, "", 3, 117, 99, 58, IDB_COPYBONES}));

constexpr auto kPortal =
    Page(Browser("Portals", 7, 33, IDC_PORTAL_NEXT, IDC_PORTAL_PREV, 19, 56),
         Browser("Sectors", 43, 35, IDC_SECTOR_NEXT, IDC_SECTOR_PREV, 56, 55),
         Row(DialogControl{K::CustStatus, IDC_PORTAL_STATUS, "", 8, 83, 91, 24},
             DialogControl{K::CustButton, IDC_PORTAL_UPDATE, "Update", 7, 113, 92, 12}));

constexpr DialogTemplate kTemplates[] = {
    {IDD_COLLBOX_PARAMS, kPageWidth, 46, kCollBoxParams},
    {IDD_CHECKSORTINGGROUP, kPageWidth, 59, kCheckSortingGroup},
    {IDD_CHECKSORTINGGROUP_COPY, kPageWidth, 59, kCheckSortingGroup},
    {IDD_CHECKVOLUME, kPageWidth, 47, kCheckVolume},
    {IDD_CHECKMATERIAL, kPageWidth, 47, kCheckMaterial},
    {IDD_CHECKMAPPING, kPageWidth, 47, kCheckMapping},
    {IDD_CHECKTEXELSIZE, kPageWidth, 64, kCheckTexelSize},
    {IDD_COPYBONES, kPageWidth, 182, kCopyBones},
    {IDD_PORTAL, kPageWidth, 131, kPortal},
};

}  // namespace

const DialogTemplate* FindDialogTemplate(int id) {
    const auto* it = std::find_if(std::begin(kTemplates), std::end(kTemplates),
                                  [id](const DialogTemplate& t) { return t.id == id; });
    return it != std::end(kTemplates) ? it : nullptr;
}

std::span<const DialogTemplate> DialogTemplates() {
    return kTemplates;
}
