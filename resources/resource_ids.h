// Identifiers of the library's dialog templates, their controls and its bitmap.
#pragma once

// Dialog templates.
constexpr int IDD_COLLBOX_PARAMS = 103;
constexpr int IDD_CHECKSORTINGGROUP = 104;
// A copy of the sorting-group page that no panel opens.
constexpr int IDD_CHECKSORTINGGROUP_COPY = 105;
constexpr int IDD_CHECKVOLUME = 106;
constexpr int IDD_CHECKMATERIAL = 107;
constexpr int IDD_CHECKMAPPING = 108;
constexpr int IDD_CHECKTEXELSIZE = 109;
constexpr int IDD_COPYBONES = 110;
constexpr int IDD_PORTAL = 111;

// The picture of the copy-bones page.
constexpr int IDB_COPYBONES = 104;

// Labels and group boxes that no code addresses.
constexpr int IDC_STATIC = -1;

// Collision-box parameters (103).
constexpr int IDC_LENGTHEDIT = 3009;
constexpr int IDC_LENSPINNER = 1008;
constexpr int IDC_WIDTHEDIT = 3010;
constexpr int IDC_WIDTHSPINNER = 1011;
constexpr int IDC_HEIGHTEDIT = 1010;
constexpr int IDC_HEIGHTSPINNER = 1012;

// The check pages (104 to 109).
constexpr int IDC_STRENGTH_EDIT = 1000;
constexpr int IDC_STRENGTH_SPIN = 1001;
constexpr int IDC_CHECK_SORTING_GROUP = 1002;
constexpr int IDC_STATUS = 1003;
constexpr int IDC_CHECK_VOLUME = 1004;
constexpr int IDC_CHECK_MATERIAL = 1005;
constexpr int IDC_CHECK_MAPPING = 1006;
constexpr int IDC_CHECK_TEXELSIZE = 1007;
constexpr int IDC_TEXELSIZE_STATUS = 1008;
constexpr int IDC_TEXELSIZE_STATUS2 = 1010;

// Copy bones (110).
constexpr int IDC_COPY_POSITION = 1009;
constexpr int IDC_COPY_ROTATION = 1010;
constexpr int IDC_COPY_SCALE = 1012;
constexpr int IDC_SOURCE_SPIN = 1013;
constexpr int IDC_TARGET_SPIN = 1014;
constexpr int IDC_COPY_BONES = 1015;
constexpr int IDC_SOURCE_EDIT = 1016;
constexpr int IDC_TARGET_EDIT = 1017;
constexpr int IDC_COPY_NODEDATA = 1018;

// Portal browser (111).
constexpr int IDC_PORTAL_NEXT = 1016;
constexpr int IDC_PORTAL_PREV = 1018;
constexpr int IDC_SECTOR_NEXT = 1019;
constexpr int IDC_SECTOR_PREV = 1020;
constexpr int IDC_PORTAL_UPDATE = 1021;
constexpr int IDC_PORTAL_STATUS = 1022;
