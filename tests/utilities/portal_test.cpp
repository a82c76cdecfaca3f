#include <gtest/gtest.h>

#include <fmt/format.h>
#include <fmt/ranges.h>

#include <random>

#include "resources/resource_ids.h"
#include "utilities/panel_test_support.h"
#include "utilities/portal.h"
#include "utilities/portal_tables.h"

namespace pellucid::test {
namespace {

// A level mesh of three separate boxes (faces 0-11, 12-23, 24-35) whose faces take the
// materials of `ids`, sub-materials of a multi-material named in `names`.
std::string Level(const std::vector<std::string>& names, const std::vector<int>& ids,
                  bool selected = true) {
    const int box[12][3] = {{0, 2, 1}, {0, 3, 2}, {4, 5, 6}, {4, 6, 7}, {0, 1, 5}, {0, 5, 4},
                            {1, 2, 6}, {1, 6, 5}, {2, 3, 7}, {2, 7, 6}, {3, 0, 4}, {3, 4, 7}};
    std::vector<std::string> vertices, faces, subs, mids;
    for (int b = 0; b < 3; ++b) {
        for (int c = 0; c < 8; ++c) {
            vertices.push_back(fmt::format("[{},{},{}]", b * 3 + c % 2, (c / 2) % 2, c / 4));
        }
        for (const auto& f : box) {
            faces.push_back(fmt::format("[{},{},{}]", f[0] + 8 * b, f[1] + 8 * b, f[2] + 8 * b));
        }
    }
    for (const std::string& name : names) {
        subs.push_back(fmt::format(R"({{"type": "standard", "name": "{}"}})", name));
    }
    for (int f = 0; f < 36; ++f) {
        mids.push_back(std::to_string(ids[static_cast<size_t>(f) % ids.size()]));
    }
    return fmt::format(R"({{"pellucidScene": 1, "nodes": [{{"name": "Other", "object": {{"type":
        "light"}}}}, {{"name": "Level", "selected": {}, "material": {{"type": "multi", "name":
        "level", "subMaterials": [{}]}}, "object": {{"type": "mesh", "vertices": [{}], "faces":
        [{}], "materialIds": [{}]}}}}]}})",
                       selected ? "true" : "false", fmt::join(subs, ","), fmt::join(vertices, ","),
                       fmt::join(faces, ","), fmt::join(mids, ","));
}

TEST(Portal, PortalNumbersComeFromUpToFourCharactersAfterTheKeyword) {
    EXPECT_EQ(PortalNumber("portal3"), 3);
    EXPECT_EQ(PortalNumber("PORTAL12_M"), 12);
    EXPECT_EQ(PortalNumber("PORTAL"), 0);
    EXPECT_EQ(PortalNumber("PORTAL123456"), 1234);
    EXPECT_EQ(PortalNumber("wall_PORTAL 7"), 7);
    EXPECT_EQ(PortalNumber("PORTALX9"), 0);
    EXPECT_EQ(PortalNumber("wall"), -1);
    EXPECT_EQ(PortalNumber(nullptr), -1);
    // Only the first 2047 characters of a name are read: the keyword may end there, without
    // its digits, or be cut off.
    EXPECT_EQ(PortalNumber((std::string(2041, 'x') + "PORTAL7").c_str()), 0);
    EXPECT_EQ(PortalNumber((std::string(2040, 'x') + "PORTAL7").c_str()), 7);
    EXPECT_EQ(PortalNumber((std::string(2042, 'x') + "PORTAL7").c_str()), -1);
}

TEST(Portal, NothingSelectedCountsNothing) {
    auto host = HostFromJson(Level({"portal0", "wall"}, {0, 1}, false));
    auto session = Open(*host, "Portal");
    EXPECT_EQ(session->StatusText(IDC_PORTAL_STATUS), "");
    for (int button :
         {IDC_PORTAL_NEXT, IDC_PORTAL_PREV, IDC_SECTOR_NEXT, IDC_SECTOR_PREV, IDC_PORTAL_UPDATE}) {
        session->Press(button);
        EXPECT_EQ(session->StatusText(IDC_PORTAL_STATUS), "Portals: 0  Sectors: 0");
    }
    EXPECT_TRUE(SavedSelection(*host, "Level").empty());
}

TEST(Portal, PortalsAreCountedUpToTheLargestNumberAndSteppedThrough) {
    // Faces cycle through portal2, wall, portal0, portal1.
    auto host = HostFromJson(Level({"portal2", "wall", "Portal0", "PORTAL1"}, {0, 1, 2, 3}));
    auto session = Open(*host, "Portal");
    session->Press(IDC_PORTAL_UPDATE);
    // Every box holds portal faces: three sectors.
    EXPECT_EQ(session->StatusText(IDC_PORTAL_STATUS), "Portals: 3  Sectors: 3");
    session->Press(IDC_PORTAL_NEXT);
    std::vector<int> portal1;
    for (int f = 3; f < 36; f += 4) {
        portal1.push_back(f);
    }
    EXPECT_EQ(SavedSelection(*host, "Level"), portal1);
    session->Press(IDC_PORTAL_NEXT);
    session->Press(IDC_PORTAL_NEXT);
    EXPECT_EQ(SavedSelection(*host, "Level").front(), 2);  // back to portal 0
    session->Press(IDC_PORTAL_PREV);
    EXPECT_EQ(SavedSelection(*host, "Level").front(), 0);  // portal 2
}

TEST(Portal, MissingNumbersAreEmptyPortals) {
    auto host = HostFromJson(Level({"portal5", "wall"}, {0, 1, 1, 1, 1, 1}));
    auto session = Open(*host, "Portal");
    for (int step = 1; step <= 4; ++step) {
        session->Press(IDC_PORTAL_NEXT);
        EXPECT_EQ(session->StatusText(IDC_PORTAL_STATUS), "Portals: 6  Sectors: 0");
        EXPECT_TRUE(SavedSelection(*host, "Level").empty()) << step;
    }
    session->Press(IDC_PORTAL_NEXT);
    EXPECT_EQ(SavedSelection(*host, "Level").size(), 6u);
    session->Press(IDC_PORTAL_PREV);
    session->Press(IDC_PORTAL_PREV);
    session->Press(IDC_PORTAL_PREV);
    session->Press(IDC_PORTAL_PREV);
    session->Press(IDC_PORTAL_PREV);
    session->Press(IDC_PORTAL_PREV);  // from 0 back round to 5
    EXPECT_EQ(SavedSelection(*host, "Level"), (std::vector<int>{0, 6, 12, 18, 24, 30}));
}

TEST(Portal, SectorsAreTheConnectedPiecesHoldingPortalFaces) {
    // Portal faces only in the first and third box (faces 0 and 24): the middle box is in none.
    std::vector<int> ids(36, 1);
    ids[0] = 0;
    ids[24] = 0;
    auto host = HostFromJson(Level({"PORTAL9", "wall"}, ids));
    auto session = Open(*host, "Portal");
    session->Press(IDC_SECTOR_NEXT);
    EXPECT_EQ(session->StatusText(IDC_PORTAL_STATUS), "Portals: 10  Sectors: 2");
    std::vector<int> third;
    for (int f = 24; f < 36; ++f) {
        third.push_back(f);
    }
    EXPECT_EQ(SavedSelection(*host, "Level"), third);
    session->Press(IDC_SECTOR_NEXT);
    EXPECT_EQ(SavedSelection(*host, "Level").size(), 12u);
    EXPECT_EQ(SavedSelection(*host, "Level").front(), 0);
    // The portal buttons do not recompute the sectors.
    session->Press(IDC_PORTAL_PREV);
    EXPECT_EQ(session->StatusText(IDC_PORTAL_STATUS), "Portals: 10  Sectors: 2");
}

// The flood as described: every face, in index order, that uses two of the face's vertices.
void DescribedFlood(const Mesh& mesh, std::vector<int>& sectors, int face, int sector) {
    sectors[static_cast<size_t>(face)] = sector;
    const DWORD* v = mesh.faces[static_cast<size_t>(face)].v;
    const int pairs[3][2] = {{0, 1}, {0, 2}, {1, 2}};
    for (int j = 0; j < mesh.getNumFaces(); ++j) {
        if (sectors[static_cast<size_t>(j)] != -1) {
            continue;
        }
        const DWORD* w = mesh.faces[static_cast<size_t>(j)].v;
        const auto uses = [w](DWORD x) { return w[0] == x || w[1] == x || w[2] == x; };
        for (const auto& p : pairs) {
            if (uses(v[p[0]]) && uses(v[p[1]])) {
                DescribedFlood(mesh, sectors, j, sector);
                break;
            }
        }
    }
}

TEST(Portal, IndexedFloodGivesTheDescribedSectors) {
    std::mt19937 random(5);
    for (int trial = 0; trial < 60; ++trial) {
        Mesh mesh;
        mesh.setNumFaces(5 + trial);
        const int vertices = 4 + trial / 3;
        std::vector<int> portals(mesh.faces.size(), -1);
        for (size_t f = 0; f < mesh.faces.size(); ++f) {
            mesh.faces[f].setVerts(random() % vertices, random() % vertices, random() % vertices);
            portals[f] = random() % 4 == 0 ? static_cast<int>(random() % 3) : -1;
        }
        int count = 0;
        const std::vector<int> indexed = CollectSectorTable(mesh, portals, count);
        std::vector<int> described(mesh.faces.size(), -1);
        int describedCount = 0;
        for (size_t f = 0; f < mesh.faces.size(); ++f) {
            if (described[f] == -1 && portals[f] != -1) {
                DescribedFlood(mesh, described, static_cast<int>(f), describedCount++);
            }
        }
        EXPECT_EQ(count, describedCount);
        EXPECT_EQ(indexed, described) << "trial " << trial;
    }
}

}  // namespace
}  // namespace pellucid::test
