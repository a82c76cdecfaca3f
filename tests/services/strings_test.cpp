// The library's string table and its lookup into the shared buffer.
#include <string>
#include <utility>
#include <vector>

#include <gtest/gtest.h>

#include "resources/string_table.h"
#include "services/get_string.h"
#include "support/library_fixture.h"

namespace {

std::string Text(const char* s) {
    return s ? s : "<null>";
}

using StringTableTest = LoadedLibraryTest;

TEST_F(StringTableTest, HoldsExactlyTheLibrarysTexts) {
    const std::vector<std::pair<int, std::string>> expected = {
        {2, "ExpoMesh"},
        {3, "Scene Export"},
        {4, "ExpoBone"},
        {5, "CollBox"},
        {6, "Standard"},
        {30028, "Parameters"},
        {30038, "Length"},
        {30039, "Width"},
        {30040, "Height"},
        {30041, "Width Segments"},
        {30042, "Height Segments"},
        {30043, "Length Segments"},
        {30504, "Creation Method"},
        {30505, "Keyboard Entry"},
        {30506, "CheckSortingGroup"},
        {30507, "Utility"},
        {30509, "CheckVolume"},
        {30510, "CheckMaterial"},
        {30511, "CheckMapping"},
        {30512, "CheckTexelSize"},
        {30513, "CopyBones"},
        {30515, "Portal"},
        {30516, "GameInfluence"},
        {30517, "Vantrel modifier"},
        {30518, "ZUTImport"},
        {30519, "ZUTExporter"},
        {30520, "ZUTMorph"},
        {30521, "QMOImport"},
    };
    std::vector<std::pair<int, std::string>> table;
    for (const StringResource* s = StringTableBegin(); s != StringTableEnd(); ++s) {
        table.emplace_back(s->id, std::string(s->text));
    }
    EXPECT_EQ(table, expected);
    for (const auto& [id, text] : expected) {
        EXPECT_EQ(Text(GetString(id)), text) << "string " << id;
    }
}

TEST_F(StringTableTest, MissingIdsGiveNull) {
    for (int id : {1, 0, -1, 7, 30027, 30508, 30514, 30522, 65535}) {
        EXPECT_EQ(GetString(id), nullptr) << "string " << id;
    }
}

TEST_F(StringTableTest, EveryLookupOverwritesTheSameBuffer) {
    const char* first = GetString(2);
    ASSERT_NE(first, nullptr);
    EXPECT_EQ(Text(first), "ExpoMesh");
    const char* second = GetString(30517);
    EXPECT_EQ(first, second);
    EXPECT_EQ(Text(first), "Vantrel modifier");
    // A missing string leaves the buffer as it was.
    EXPECT_EQ(GetString(1), nullptr);
    EXPECT_EQ(Text(first), "Vantrel modifier");
}

TEST_F(StringTableTest, WithoutModuleHandleEveryLookupIsNull) {
    LibraryUnload();
    EXPECT_EQ(hInstance, nullptr);
    EXPECT_EQ(GetString(2), nullptr);
    EXPECT_EQ(GetString(30521), nullptr);
}

}  // namespace
