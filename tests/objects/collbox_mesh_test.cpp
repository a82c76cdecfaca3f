#include <cmath>
#include <limits>
#include <map>
#include <utility>
#include <vector>

#include <gtest/gtest.h>

#include "host/interface.h"
#include "objects/collbox_mesh.h"
#include "support/fake_platform.h"

namespace {

struct Corner3 {
    DWORD a, b, c;
    bool operator==(const Corner3&) const = default;
};

std::vector<Corner3> Faces(const Mesh& mesh) {
    std::vector<Corner3> faces;
    for (const Face& f : mesh.faces) {
        faces.push_back({f.v[0], f.v[1], f.v[2]});
    }
    return faces;
}

std::vector<Corner3> TextureFaces(const Mesh& mesh) {
    std::vector<Corner3> faces;
    for (const TVFace& f : mesh.tvFace) {
        faces.push_back({f.t[0], f.t[1], f.t[2]});
    }
    return faces;
}

std::vector<int> MaterialIds(const Mesh& mesh) {
    std::vector<int> ids;
    for (int i = 0; i < mesh.getNumFaces(); ++i) {
        ids.push_back(mesh.getFaceMtlIndex(i));
    }
    return ids;
}

std::vector<DWORD> SmoothingGroups(const Mesh& mesh) {
    std::vector<DWORD> groups;
    for (const Face& f : mesh.faces) {
        groups.push_back(f.getSmGroup());
    }
    return groups;
}

Mesh Box(float length, float width, float height, int ws, int ls, int hs, bool mapping) {
    Mesh mesh;
    BuildCollBoxMesh(mesh, length, width, height, ws, ls, hs, mapping);
    return mesh;
}

// Every edge of a closed, consistently wound surface is used once in each direction.
testing::AssertionResult ClosedAndConsistentlyWound(const Mesh& mesh) {
    std::map<std::pair<DWORD, DWORD>, int> edges;
    for (const Face& f : mesh.faces) {
        for (int e = 0; e < 3; ++e) {
            ++edges[{f.v[e], f.v[(e + 1) % 3]}];
        }
    }
    for (const auto& [edge, count] : edges) {
        const auto reverse = edges.find({edge.second, edge.first});
        if (count != 1 || reverse == edges.end() || reverse->second != 1) {
            return testing::AssertionFailure()
                   << "edge " << edge.first << "-" << edge.second << " used " << count << " times";
        }
    }
    return testing::AssertionSuccess();
}

Point3 FaceNormal(const Mesh& mesh, const Face& f) {
    const Point3& p0 = mesh.getVert(static_cast<int>(f.v[0]));
    const Point3& p1 = mesh.getVert(static_cast<int>(f.v[1]));
    const Point3& p2 = mesh.getVert(static_cast<int>(f.v[2]));
    return (p1 - p0) ^ (p2 - p0);
}

// Every face normal points away from the box's centre.
testing::AssertionResult FacesPointOut(const Mesh& mesh, float height) {
    const Point3 centre(0, 0, height / 2);
    for (int i = 0; i < mesh.getNumFaces(); ++i) {
        const Face& f = mesh.faces[static_cast<size_t>(i)];
        const Point3 middle =
            (mesh.getVert(static_cast<int>(f.v[0])) + mesh.getVert(static_cast<int>(f.v[1])) +
             mesh.getVert(static_cast<int>(f.v[2]))) /
            3.0f;
        if (!(FaceNormal(mesh, f) % (middle - centre) > 0.0f)) {
            return testing::AssertionFailure() << "face " << i << " points in";
        }
    }
    return testing::AssertionSuccess();
}

TEST(CollBoxMesh, SingleSegmentBoxHasEightCornersAndTwelveFaces) {
    const Mesh mesh = Box(4, 2, 6, 1, 1, 1, false);
    ASSERT_EQ(mesh.getNumVerts(), 8);
    const std::vector<Point3> corners = {
        {-1, -2, 0}, {1, -2, 0}, {-1, 2, 0}, {1, 2, 0},
        {-1, -2, 6}, {1, -2, 6}, {-1, 2, 6}, {1, 2, 6},
    };
    EXPECT_EQ(mesh.verts, corners);
    const std::vector<Corner3> faces = {
        {0, 2, 3}, {3, 1, 0},  // bottom
        {4, 5, 7}, {7, 6, 4},  // top
        {0, 1, 5}, {5, 4, 0},  // y = -L/2
        {1, 3, 7}, {7, 5, 1},  // x = +W/2
        {3, 2, 6}, {6, 7, 3},  // y = +L/2
        {2, 0, 4}, {4, 6, 2},  // x = -W/2
    };
    EXPECT_EQ(Faces(mesh), faces);
    EXPECT_EQ(SmoothingGroups(mesh),
              (std::vector<DWORD>{2, 2, 4, 4, 8, 8, 16, 16, 32, 32, 64, 64}));
    EXPECT_EQ(MaterialIds(mesh), (std::vector<int>{1, 1, 0, 0, 4, 4, 3, 3, 5, 5, 2, 2}));
    for (const Face& f : mesh.faces) {
        EXPECT_EQ(f.getEdgeVis(0), 1);
        EXPECT_EQ(f.getEdgeVis(1), 1);
        EXPECT_EQ(f.getEdgeVis(2), 0);
    }
    EXPECT_EQ(mesh.getNumTVerts(), 0);
    EXPECT_TRUE(mesh.tvFace.empty());
    EXPECT_EQ(mesh.faceSel.GetSize(), 12);
}

TEST(CollBoxMesh, SegmentedBoxCountsFollowTheSegments) {
    const Mesh mesh = Box(6, 4, 8, 2, 3, 4, true);
    EXPECT_EQ(mesh.getNumVerts(), 54);
    EXPECT_EQ(mesh.getNumFaces(), 104);
    EXPECT_EQ(mesh.getNumTVerts(), 4 * 5 + 3 * 5 + 3 * 4);
    EXPECT_EQ(mesh.tvFace.size(), 104u);
    EXPECT_TRUE(ClosedAndConsistentlyWound(mesh));
    EXPECT_TRUE(FacesPointOut(mesh, 8));
}

TEST(CollBoxMesh, InnerRingsRunRoundTheBoxFromTheMinusXMinusYCorner) {
    const Mesh mesh = Box(6, 4, 8, 2, 3, 4, false);
    // The first ring follows the two grids of 3 by 4 vertices each.
    const std::vector<Point3> ring = {
        {-2, -3, 2}, {0, -3, 2}, {2, -3, 2}, {2, -1, 2}, {2, 1, 2},
        {2, 3, 2},   {0, 3, 2},  {-2, 3, 2}, {-2, 1, 2}, {-2, -1, 2},
    };
    for (size_t i = 0; i < ring.size(); ++i) {
        EXPECT_EQ(mesh.verts[24 + i], ring[i]) << "ring vertex " << i;
    }
    EXPECT_EQ(mesh.verts[34].z, 4.0f);
    EXPECT_EQ(mesh.verts[53], Point3(-2, -1, 6));
    // Grids: bottom row by row from y = -L/2, then the top.
    EXPECT_EQ(mesh.verts[5], Point3(2, -1, 0));
    EXPECT_EQ(mesh.verts[12 + 11], Point3(2, 3, 8));
}

TEST(CollBoxMesh, SideBandsShareTheGridBorderVertices) {
    // Sizes that do not divide evenly: the ring's right edge takes the grid's accumulated x.
    const Mesh mesh = Box(1, 1, 1, 3, 7, 3, false);
    EXPECT_TRUE(ClosedAndConsistentlyWound(mesh));
    const int ws = 3;
    const float gridRightX = mesh.getVert(ws).x;
    const int firstRing = 2 * 8 * 4;
    EXPECT_EQ(mesh.getVert(firstRing + ws).x, gridRightX);
}

TEST(CollBoxMesh, SegmentCountsAreClampedToOneTo200) {
    const Mesh low = Box(1, 1, 1, 0, -5, 0, false);
    EXPECT_EQ(low.getNumVerts(), 8);
    EXPECT_EQ(low.getNumFaces(), 12);
    const Mesh high = Box(1, 1, 1, 500, 200, 201, false);
    EXPECT_EQ(high.getNumVerts(), 2 * 201 * 201 + 2 * 199 * 400);
    EXPECT_EQ(high.getNumFaces(), 4 * (200 * 200 + 200 * 400));
}

TEST(CollBoxMesh, NegativeHeightBuildsDownwardsWithFlippedFaces) {
    const Mesh mesh = Box(4, 2, -6, 1, 1, 1, false);
    EXPECT_EQ(mesh.verts[4], Point3(-1, -2, -6));
    const std::vector<Corner3> faces = {
        {2, 0, 3}, {1, 3, 0}, {5, 4, 7}, {6, 7, 4}, {1, 0, 5}, {4, 5, 0},
        {3, 1, 7}, {5, 7, 1}, {2, 3, 6}, {7, 6, 3}, {0, 2, 4}, {6, 4, 2},
    };
    EXPECT_EQ(Faces(mesh), faces);
    // The grid at z = 0 is now the top and faces up.
    EXPECT_EQ(MaterialIds(mesh), (std::vector<int>{0, 0, 1, 1, 4, 4, 3, 3, 5, 5, 2, 2}));
    for (const Face& f : mesh.faces) {
        EXPECT_EQ(f.getEdgeVis(0), 1);
        EXPECT_EQ(f.getEdgeVis(1), 0);
        EXPECT_EQ(f.getEdgeVis(2), 1);
    }
    EXPECT_TRUE(FacesPointOut(mesh, -6));
    EXPECT_TRUE(FacesPointOut(Box(5, 3, -2, 3, 2, 4, false), -2));
    EXPECT_TRUE(ClosedAndConsistentlyWound(Box(5, 3, -2, 3, 2, 4, false)));
}

TEST(CollBoxMesh, MaterialIdsFollowTheFaceNormals) {
    const Mesh mesh = Box(5, 3, 2, 3, 2, 4, false);
    for (int i = 0; i < mesh.getNumFaces(); ++i) {
        const Point3 n = FaceNormal(mesh, mesh.faces[static_cast<size_t>(i)]);
        const int axis = n.MaxComponent();
        const bool negative = n[axis] < 0;
        const int expected[3][2] = {{3, 2}, {5, 4}, {0, 1}};
        EXPECT_EQ(mesh.getFaceMtlIndex(i), expected[axis][negative ? 1 : 0]) << "face " << i;
    }
}

TEST(CollBoxMesh, MappingGivesThreeGridsAndOneTextureFacePerFace) {
    const Mesh mesh = Box(4, 2, 6, 1, 1, 1, true);
    const std::vector<UVVert> grid = {{0, 0, 0}, {1, 0, 0}, {0, 1, 0}, {1, 1, 0}};
    ASSERT_EQ(mesh.getNumTVerts(), 12);
    for (int g = 0; g < 3; ++g) {
        for (int i = 0; i < 4; ++i) {
            EXPECT_EQ(mesh.tVerts[static_cast<size_t>(g * 4 + i)], grid[static_cast<size_t>(i)]);
        }
    }
    const std::vector<Corner3> expected = {
        {9, 11, 10}, {10, 8, 9},   // bottom: the z grid, mirrored in u
        {8, 9, 11},  {11, 10, 8},  // top: the z grid
        {4, 5, 7},   {7, 6, 4},    // y = -L/2: the y grid
        {0, 1, 3},   {3, 2, 0},    // x = +W/2: the x grid
        {4, 5, 7},   {7, 6, 4},    // y = +L/2: the y grid, mirrored in u
        {0, 1, 3},   {3, 2, 0},    // x = -W/2: the x grid, mirrored in u
    };
    EXPECT_EQ(TextureFaces(mesh), expected);
}

TEST(CollBoxMesh, SegmentedMappingSpreadsEachSideOverItsGrid) {
    const Mesh mesh = Box(6, 4, 8, 2, 3, 4, true);
    // Second texture grid vertex row 1: (i / ws, 1 / hs).
    EXPECT_EQ(mesh.tVerts[20 + 3], UVVert(0, 0.25f, 0));
    EXPECT_EQ(mesh.tVerts[20 + 4], UVVert(0.5f, 0.25f, 0));
    // Every texture face of a side uses its own grid, and every grid vertex is used.
    std::vector<bool> used(static_cast<size_t>(mesh.getNumTVerts()), false);
    for (const TVFace& f : mesh.tvFace) {
        for (DWORD t : f.t) {
            ASSERT_LT(t, static_cast<DWORD>(mesh.getNumTVerts()));
            used[t] = true;
        }
    }
    for (size_t i = 0; i < used.size(); ++i) {
        EXPECT_TRUE(used[i]) << "texture vertex " << i;
    }
}

TEST(CollBoxMesh, ZeroSizesCollapseTheBoxAndStillMap) {
    const Mesh mesh = Box(0, 0, 0, 2, 2, 2, true);
    EXPECT_EQ(mesh.getNumFaces(), 4 * (4 + 2 * 4));
    for (const Point3& p : mesh.verts) {
        EXPECT_EQ(p, Point3(0, 0, 0));
    }
    // A face without a normal counts as facing +x.
    for (int id : MaterialIds(mesh)) {
        EXPECT_EQ(id, 3);
    }
    for (const TVFace& f : mesh.tvFace) {
        for (DWORD t : f.t) {
            EXPECT_LT(t, static_cast<DWORD>(mesh.getNumTVerts()));
        }
    }
}

TEST(CollBoxMesh, NonFiniteSizesBuildWithoutReachingOutsideTheGrids) {
    const float nan = std::numeric_limits<float>::quiet_NaN();
    const float inf = std::numeric_limits<float>::infinity();
    for (float size : {nan, inf, -inf, 1e30f}) {
        const Mesh mesh = Box(size, 1, size, 3, 2, 2, true);
        ASSERT_EQ(mesh.tvFace.size(), mesh.faces.size());
        for (const TVFace& f : mesh.tvFace) {
            for (DWORD t : f.t) {
                EXPECT_LT(t, static_cast<DWORD>(mesh.getNumTVerts())) << size;
            }
        }
    }
}

TEST(CollBoxMesh, RebuildingReplacesTheMesh) {
    Mesh mesh;
    BuildCollBoxMesh(mesh, 1, 1, 1, 3, 3, 3, true);
    BuildCollBoxMesh(mesh, 1, 1, 1, 1, 1, 1, false);
    EXPECT_EQ(mesh.getNumVerts(), 8);
    EXPECT_EQ(mesh.getNumFaces(), 12);
    EXPECT_EQ(mesh.getNumTVerts(), 0);
    EXPECT_TRUE(mesh.tvFace.empty());
}

TEST(CollBoxMesh, ConsistencyChecksStaySilent) {
    FakePlatform platform;
    ScopedHostPlatform host(&platform);
    for (int segs : {1, 2, 7, 200}) {
        Box(3, 2, 1, segs, 3, segs, true);
    }
    EXPECT_TRUE(platform.assertions.empty());
}

}  // namespace
