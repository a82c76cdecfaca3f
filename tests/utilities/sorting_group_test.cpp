#include <gtest/gtest.h>

#include "utilities/check_sorting_group.h"
#include "utilities/panel_test_support.h"

namespace pellucid::test {
namespace {

std::string Scene(bool meshSelected, bool lightSelected) {
    return std::string(R"({"pellucidScene": 1, "nodes": [
        {"name": "Lamp", "selected": )") +
           (lightSelected ? "true" : "false") + R"(, "object": {"type": "light"}},
        {"name": "Cam", "selected": )" +
           (lightSelected ? "true" : "false") + R"(, "object": {"type": "camera"}},
        {"name": "Ball", "selected": )" +
           (meshSelected ? "true" : "false") + R"(, "object": {"type": "sphere", "radius": 1}}]})";
}

TEST(CheckSortingGroup, ReportsSelectedMeshesOnly) {
    struct Case {
        bool mesh, light;
        const char* status;
    };
    for (const Case& c : {Case{false, false, ""}, Case{true, false, "Sorting group not ok."},
                          Case{false, true, ""}, Case{true, true, "Sorting group not ok."}}) {
        auto host = HostFromJson(Scene(c.mesh, c.light));
        auto session = Open(*host, "CheckSortingGroup");
        session->Press(1002);
        EXPECT_EQ(session->StatusText(1003), c.status);
    }
}

TEST(CheckSortingGroup, TheStrengthSpinnerIsClampedAndChangesNothing) {
    auto host = HostFromJson(Scene(true, false));
    auto session = Open(*host, "CheckSortingGroup");
    auto* panel = dynamic_cast<CheckSortingGroup*>(session->Utility());
    ASSERT_NE(panel, nullptr);
    session->TypeText(1000, "3");
    EXPECT_EQ(panel->sortingStrength, 2.0f);
    EXPECT_EQ(session->EditText(1000), "2.000");
    session->ClickSpinner(1001, false);
    EXPECT_LT(panel->sortingStrength, 2.0f);
    session->TypeText(1000, "-1");
    EXPECT_EQ(panel->sortingStrength, 0.0f);
    session->Press(1002);
    EXPECT_EQ(session->StatusText(1003), "Sorting group not ok.");
}

}  // namespace
}  // namespace pellucid::test
