// Identifiers of the library's resource strings.
#pragma once

// The library's description; the string table has no text for it.
constexpr int IDS_LIBDESCRIPTION = 1;
constexpr int IDS_EXPOMESH = 2;
constexpr int IDS_CATEGORY_SCENE_EXPORT = 3;
constexpr int IDS_EXPOBONE = 4;
constexpr int IDS_COLLBOX = 5;
constexpr int IDS_CATEGORY_STANDARD = 6;
constexpr int IDS_RB_PARAMETERS = 30028;
constexpr int IDS_RB_LENGTH = 30038;
constexpr int IDS_RB_WIDTH = 30039;
constexpr int IDS_RB_HEIGHT = 30040;
constexpr int IDS_RB_WSEGS = 30041;
constexpr int IDS_RB_HSEGS = 30042;
constexpr int IDS_RB_LSEGS = 30043;
constexpr int IDS_RB_CREATION_METHOD = 30504;
constexpr int IDS_RB_KEYBOARD_ENTRY = 30505;
constexpr int IDS_CHECKSORTINGGROUP = 30506;
constexpr int IDS_CATEGORY_UTILITY = 30507;
constexpr int IDS_CHECKVOLUME = 30509;
constexpr int IDS_CHECKMATERIAL = 30510;
constexpr int IDS_CHECKMAPPING = 30511;
constexpr int IDS_CHECKTEXELSIZE = 30512;
constexpr int IDS_COPYBONES = 30513;
constexpr int IDS_PORTAL = 30515;
constexpr int IDS_GAMEINFLUENCE = 30516;
constexpr int IDS_CATEGORY_MODIFIER = 30517;
constexpr int IDS_ZUTIMPORT = 30518;
constexpr int IDS_ZUTEXPORTER = 30519;
constexpr int IDS_ZUTMORPH = 30520;
constexpr int IDS_QMOIMPORT = 30521;
