#include "resources/dialog_templates.h"

#include <algorithm>

#include "resources/resource_ids.h"

namespace {

using K = ControlKind;

// Every page is as wide as the command panel.
constexpr int kPageWidth = 108;

constexpr DialogControl kCollBoxParams[] = {
    {K::Label, IDC_STATIC, "Length:", 8, 6, 36, 8},
    {K::CustEdit, IDC_LENGTHEDIT, "", 45, 5, 45, 10},
    {K::SpinnerControl, IDC_LENSPINNER, "", 91, 5, 7, 10},
    {K::Label, IDC_STATIC, "Width:", 8, 19, 36, 8},
    {K::CustEdit, IDC_WIDTHEDIT, "", 45, 18, 45, 10},
    {K::SpinnerControl, IDC_WIDTHSPINNER, "", 91, 18, 7, 10},
    {K::Label, IDC_STATIC, "Height:", 8, 32, 36, 8},
    {K::CustEdit, IDC_HEIGHTEDIT, "", 45, 31, 45, 10},
    {K::SpinnerControl, IDC_HEIGHTSPINNER, "", 91, 31, 7, 10},
};

constexpr DialogControl kCheckSortingGroup[] = {
    {K::Label, IDC_STATIC, "Sorting strength:", 8, 6, 52, 8},
    {K::CustEdit, IDC_STRENGTH_EDIT, "", 61, 5, 29, 10},
    {K::SpinnerControl, IDC_STRENGTH_SPIN, "", 91, 5, 7, 10},
    {K::CustButton, IDC_CHECK_SORTING_GROUP, "Check", 8, 23, 91, 12},
    {K::CustStatus, IDC_STATUS, "", 8, 41, 91, 12},
};

constexpr DialogControl kCheckVolume[] = {
    {K::CustButton, IDC_CHECK_VOLUME, "Check Volume", 8, 8, 91, 12},
    {K::CustStatus, IDC_STATUS, "", 8, 26, 91, 13},
};

constexpr DialogControl kCheckMaterial[] = {
    {K::CustButton, IDC_CHECK_MATERIAL, "Check Material", 8, 8, 91, 12},
    {K::CustStatus, IDC_STATUS, "", 8, 26, 91, 13},
};

constexpr DialogControl kCheckMapping[] = {
    {K::CustButton, IDC_CHECK_MAPPING, "Check Mapping", 8, 8, 91, 12},
    {K::CustStatus, IDC_STATUS, "", 8, 26, 91, 13},
};

constexpr DialogControl kCheckTexelSize[] = {
    {K::CustButton, IDC_CHECK_TEXELSIZE, "Check Texelsize", 8, 8, 91, 12},
    {K::CustStatus, IDC_TEXELSIZE_STATUS, "", 8, 26, 91, 13},
    {K::CustStatus, IDC_TEXELSIZE_STATUS2, "", 8, 44, 91, 13},
};

constexpr DialogControl kCopyBones[] = {
    {K::Label, IDC_STATIC, "Source:", 3, 5, 28, 8},
    {K::CustEdit, IDC_SOURCE_EDIT, "", 33, 5, 57, 10},
    {K::SpinnerControl, IDC_SOURCE_SPIN, "", 91, 5, 7, 10},
    {K::Label, IDC_STATIC, "Target:", 4, 18, 28, 8},
    {K::CustEdit, IDC_TARGET_EDIT, "", 33, 18, 57, 10},
    {K::SpinnerControl, IDC_TARGET_SPIN, "", 91, 18, 7, 10},
    {K::GroupBox, IDC_STATIC, "Copy options", 5, 31, 95, 64},
    {K::CheckBox, IDC_COPY_POSITION, "Position", 11, 42, 41, 10},
    {K::CheckBox, IDC_COPY_ROTATION, "Rotation", 11, 54, 41, 10},
    {K::CheckBox, IDC_COPY_SCALE, "Scale", 11, 66, 41, 10},
    {K::CheckBox, IDC_COPY_NODEDATA, "Node data", 11, 79, 49, 10},
    {K::CustButton, IDC_COPY_BONES, "Copy Bones", 7, 99, 91, 12},
    {K::Picture, IDC_STATIC, "", 3, 117, 99, 58, IDB_COPYBONES},
};

constexpr DialogControl kPortal[] = {
    {K::GroupBox, IDC_STATIC, "Portals", 5, 7, 95, 33},
    {K::CustButton, IDC_PORTAL_NEXT, "Next", 13, 19, 36, 12},
    {K::CustButton, IDC_PORTAL_PREV, "Prev", 56, 19, 36, 12},
    {K::GroupBox, IDC_STATIC, "Sectors", 5, 43, 95, 35},
    {K::CustButton, IDC_SECTOR_NEXT, "Next", 13, 56, 36, 12},
    {K::CustButton, IDC_SECTOR_PREV, "Prev", 55, 56, 36, 12},
    {K::CustStatus, IDC_PORTAL_STATUS, "", 8, 83, 91, 24},
    {K::CustButton, IDC_PORTAL_UPDATE, "Update", 7, 113, 92, 12},
};

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
