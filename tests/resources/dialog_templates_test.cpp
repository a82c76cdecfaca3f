// The dialog templates as a whole: every dialog and control listed against a checked-in listing,
// and the bitmap that the copy-bones page shows.
#include <gtest/gtest.h>

#include <cstdlib>
#include <fstream>
#include <string>

#include "resources/bitmaps.h"
#include "resources/dialog_templates.h"
#include "resources/resource_ids.h"
#include "support/script_files.h"

namespace {

// The kinds' names in the order of their declaration.
const char* const kKindNames[] = {"Label",      "GroupBox", "CheckBox",       "CustButton",
                                  "CustStatus", "CustEdit", "SpinnerControl", "Picture"};

// One line per dialog, then one per control: kind, id, caption, position, size and bitmap.
std::string Listing() {
    std::string text;
    for (const DialogTemplate& dialog : DialogTemplates()) {
        text += "dialog " + std::to_string(dialog.id) + " " + std::to_string(dialog.width) + "x" +
                std::to_string(dialog.height) + "\n";
        for (const DialogControl& c : dialog.controls) {
            text += "  " + std::string(kKindNames[static_cast<int>(c.kind)]) + " " +
                    std::to_string(c.id) + " \"" + std::string(c.caption) + "\" at " +
                    std::to_string(c.x) + "," + std::to_string(c.y) + " size " +
                    std::to_string(c.width) + "x" + std::to_string(c.height);
            if (c.bitmap != 0) {
                text += " bitmap " + std::to_string(c.bitmap);
            }
            text += "\n";
        }
    }
    return text;
}

TEST(DialogTemplates, EveryDialogAndControlAsListed) {
    const std::string golden = PELLUCID_TEST_DATA "/golden/resources/dialogs.txt";
    const char* update = std::getenv("PELLUCID_UPDATE_GOLDEN");
    if (update != nullptr && std::string(update) == "1") {
        std::ofstream(golden, std::ios::binary) << Listing();
    }
    EXPECT_EQ(Listing(), pellucid::test::ReadBytes(golden));
}

TEST(DialogTemplates, LookupByIdFindsEachDialogAndNothingElse) {
    for (const DialogTemplate& dialog : DialogTemplates()) {
        EXPECT_EQ(FindDialogTemplate(dialog.id), &dialog);
    }
    EXPECT_EQ(DialogTemplates().size(), 9u);
    EXPECT_EQ(FindDialogTemplate(102), nullptr);
    EXPECT_EQ(FindDialogTemplate(112), nullptr);
}

TEST(BitmapResources, CopyBonesPictureFillsItsFrame) {
    const BitmapResource* bitmap = FindBitmapResource(IDB_COPYBONES);
    ASSERT_NE(bitmap, nullptr);
    EXPECT_EQ(bitmap->id, IDB_COPYBONES);
    EXPECT_EQ(bitmap->rgb.size(), static_cast<size_t>(bitmap->width * bitmap->height * 3));
    EXPECT_EQ(FindBitmapResource(IDB_COPYBONES + 1), nullptr);
}

}  // namespace
