#include <gtest/gtest.h>

#include "resources/resource_ids.h"
#include "utilities/panel_test_support.h"

namespace pellucid::test {
namespace {

using standalone::panels::ButtonControl;
using standalone::panels::StatusControl;

const char* kScene = R"({"pellucidScene": 1, "nodes": [
    {"name": "Tri", "selected": true,
     "object": {"type": "mesh", "vertices": [[0,0,0],[1,0,0],[0,1,0]], "faces": [[0,1,2]]}}]})";

struct PanelRow {
    const char* className;
    const char* title;
    int dialog;
    std::vector<std::pair<int, std::string>> buttons;  // id, tooltip
    std::vector<int> statusLines;
    int statusFormat;  // -1: none set
};

const PanelRow kPanels[] = {
    {"CheckMapping", "Check Mapping", 108, {{1006, "Check mapping"}}, {1003}, 0},
    {"CheckMaterial", "Check Material", 107, {{1005, "Check material"}}, {1003}, 0},
    {"CheckVolume", "Check Volume", 106, {{1004, "Check volume"}}, {1003}, 0},
    {"CheckSortingGroup", "Check Sorting Group", 104, {{1002, "Check sorting group"}}, {1003}, 0},
    {"CheckTexelSize", "Check Texelsize", 109, {{1007, "Check texelsize"}}, {1008, 1010}, 0},
    {"CopyBones", "Copy bones", 110, {{1015, "Copy bones"}}, {}, 0},
    {"Portal",
     "Portal",
     111,
     {{1016, "Select next portal"},
      {1018, "Select previous portal"},
      {1019, "Select next sector"},
      {1020, "Select previous sector"},
      {1021, "Update info"}},
     {1022},
     -1},
};

TEST(UtilityPanels, EveryPanelOpensItsPageWithButtonsTooltipsAndEmptyStatusLines) {
    auto host = HostFromJson(kScene);
    for (const PanelRow& row : kPanels) {
        auto session = Open(*host, row.className);
        ASSERT_NE(session->Page(), nullptr) << row.className;
        EXPECT_EQ(session->Page()->Title(), row.title);
        EXPECT_EQ(session->Page()->DialogId(), row.dialog);
        for (const auto& [id, tooltip] : row.buttons) {
            auto* button = session->Page()->Find<ButtonControl>(id);
            ASSERT_NE(button, nullptr) << row.className << " " << id;
            EXPECT_EQ(button->type, CBT_PUSH);
            EXPECT_TRUE(button->downNotify);
            EXPECT_TRUE(button->tooltipOn);
            EXPECT_EQ(button->tooltip, tooltip);
        }
        for (int id : row.statusLines) {
            auto* status = session->Page()->Find<StatusControl>(id);
            ASSERT_NE(status, nullptr);
            EXPECT_EQ(status->text, "");
            EXPECT_EQ(status->format, row.statusFormat) << row.className;
        }
        session->Close();
        EXPECT_EQ(host->Toolkit().Outstanding(), 0) << row.className << " kept controls";
        EXPECT_TRUE(host->Toolkit().Pages().empty());
    }
}

TEST(UtilityPanels, ActionsRunOnButtonDownOnlyAndReopeningStartsEmpty) {
    auto host = HostFromJson(kScene);
    auto session = Open(*host, "CheckMapping");
    // A click without the button-down notification does nothing.
    session->Page()->GetUserDlgProc()->DlgProc(0, session->Page(), session->Page()->GetHWnd(),
                                               WM_COMMAND, MAKEWPARAM(1006, BN_CLICKED), 0);
    EXPECT_EQ(session->StatusText(1003), "");
    session->Press(1006);
    EXPECT_EQ(session->StatusText(1003), "Mapping not OK.");
    session->Close();
    auto again = Open(*host, "CheckMapping");
    EXPECT_EQ(again->StatusText(1003), "");
}

TEST(UtilityPanels, AnUnknownUtilityIsRefused) {
    auto host = HostFromJson(kScene);
    EXPECT_THROW(Open(*host, "ExpoMesh"), std::invalid_argument);
    EXPECT_THROW(Open(*host, "NoSuchPanel"), std::invalid_argument);
}

}  // namespace
}  // namespace pellucid::test
