#include "resources/string_table.h"

#include <algorithm>
#include <iterator>

#include "resources/string_ids.h"

namespace {

// Ordered by id, so that a lookup is a binary search.
constexpr StringResource kStrings[] = {
    {IDS_EXPOMESH, "ExpoMesh"},
    {IDS_CATEGORY_SCENE_EXPORT, "Scene Export"},
    {IDS_EXPOBONE, "ExpoBone"},
    {IDS_COLLBOX, "CollBox"},
    {IDS_CATEGORY_STANDARD, "Standard"},
    {IDS_RB_PARAMETERS, "Parameters"},
    {IDS_RB_LENGTH, "Length"},
    {IDS_RB_WIDTH, "Width"},
    {IDS_RB_HEIGHT, "Height"},
    {IDS_RB_WSEGS, "Width Segments"},
    {IDS_RB_HSEGS, "Height Segments"},
    {IDS_RB_LSEGS, "Length Segments"},
    {IDS_RB_CREATION_METHOD, "Creation Method"},
    {IDS_RB_KEYBOARD_ENTRY, "Keyboard Entry"},
    {IDS_CHECKSORTINGGROUP, "CheckSortingGroup"},
    {IDS_CATEGORY_UTILITY, "Utility"},
    {IDS_CHECKVOLUME, "CheckVolume"},
    {IDS_CHECKMATERIAL, "CheckMaterial"},
    {IDS_CHECKMAPPING, "CheckMapping"},
    {IDS_CHECKTEXELSIZE, "CheckTexelSize"},
    {IDS_COPYBONES, "CopyBones"},
    {IDS_PORTAL, "Portal"},
    {IDS_GAMEINFLUENCE, "GameInfluence"},
    {IDS_CATEGORY_MODIFIER, "Vantrel modifier"},
    {IDS_ZUTIMPORT, "ZUTImport"},
    {IDS_ZUTEXPORTER, "ZUTExporter"},
    {IDS_ZUTMORPH, "ZUTMorph"},
    {IDS_QMOIMPORT, "QMOImport"},
};

constexpr bool IdsAscending() {
    for (size_t i = 1; i < std::size(kStrings); ++i) {
        if (kStrings[i - 1].id >= kStrings[i].id) {
            return false;
        }
    }
    return true;
}
static_assert(IdsAscending(), "the string table must be ordered by id");

}  // namespace

const std::string_view* FindStringResource(int id) {
    const auto* it =
        std::lower_bound(std::begin(kStrings), std::end(kStrings), id,
                         [](const StringResource& entry, int value) { return entry.id < value; });
    return it != std::end(kStrings) && it->id == id ? &it->text : nullptr;
}

const StringResource* StringTableBegin() {
    return std::begin(kStrings);
}
const StringResource* StringTableEnd() {
    return std::end(kStrings);
}
