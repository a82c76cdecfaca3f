// The nearest-vertex index against the scan it replaces: the same index for every query, ties
// and degenerate values included.
#include <gtest/gtest.h>

#include <cfloat>
#include <cmath>
#include <limits>
#include <random>

#include "exchange/nearest_vertex.h"
#include "exchange/zut_morph.h"

namespace {

void ExpectSameAsScan(const std::vector<Point3>& points, const std::vector<Point3>& queries) {
    const NearestVertexIndex index(points);
    for (size_t q = 0; q < queries.size(); ++q) {
        ASSERT_EQ(index.Find(queries[q]), FindNearestByScan(queries[q], points))
            << "query " << q << " (" << queries[q].x << ", " << queries[q].y << ", " << queries[q].z
            << ")";
    }
}

std::vector<Point3> RandomPoints(std::mt19937& random, size_t count, float spread) {
    std::uniform_real_distribution<float> coordinate(-spread, spread);
    std::vector<Point3> points(count);
    for (Point3& p : points) {
        p = Point3(coordinate(random), coordinate(random), coordinate(random));
    }
    return points;
}

TEST(NearestVertexIndex, AgreesWithTheScanOnScatteredPointsAndTheirOwnPositions) {
    std::mt19937 random(7);
    const std::vector<Point3> points = RandomPoints(random, 3000, 50.0f);
    ExpectSameAsScan(points, RandomPoints(random, 2000, 60.0f));
    ExpectSameAsScan(points, points);
}

TEST(NearestVertexIndex, TakesTheFirstInIndexOrderAmongEquallyNearPoints) {
    // A lattice with repeated points: queries on lattice points and half-way between them meet
    // many exact ties.
    std::vector<Point3> points;
    for (int copy = 0; copy < 3; ++copy) {
        for (int x = 0; x < 8; ++x) {
            for (int y = 0; y < 8; ++y) {
                points.emplace_back(static_cast<float>(x), static_cast<float>(y), 0.0f);
            }
        }
    }
    std::vector<Point3> queries;
    for (int x = -2; x < 20; ++x) {
        for (int y = -2; y < 20; ++y) {
            queries.emplace_back(x * 0.5f, y * 0.5f, 0.0f);
            queries.emplace_back(x * 0.5f, y * 0.5f, 3.0f);
        }
    }
    ExpectSameAsScan(points, queries);
    const NearestVertexIndex index(points);
    EXPECT_EQ(index.Find(Point3(0.5f, 0.0f, 0.0f)), 0);  // between 0 and 8, and their copies
    EXPECT_EQ(index.Find(Point3(3.0f, 4.0f, 0.0f)), 3 * 8 + 4);
}

TEST(NearestVertexIndex, AgreesOnFlatAndDegenerateClouds) {
    std::mt19937 random(11);
    std::vector<Point3> plane = RandomPoints(random, 2000, 10.0f);
    for (Point3& p : plane) {
        p.z = 0.0f;
    }
    ExpectSameAsScan(plane, RandomPoints(random, 500, 12.0f));
    const std::vector<Point3> same(500, Point3(1, 2, 3));
    ExpectSameAsScan(same, {{1, 2, 3}, {0, 0, 0}, {1, 2, 3.5f}});
    ExpectSameAsScan({}, {{0, 0, 0}});
}

TEST(NearestVertexIndex, CountsOnlyDistancesBelowTheLargestFloat) {
    const float inf = std::numeric_limits<float>::infinity();
    const float nan = std::numeric_limits<float>::quiet_NaN();
    // Non-finite points are at no distance; points 1e20 apart have a squared length beyond the
    // float range, so they are infinitely far as the host measures; 1e-30 apart they underflow to
    // the same length as an exact match.
    std::vector<Point3> points = {{nan, 0, 0}, {inf, 0, 0},    {1e20f, 0, 0},
                                  {0, 0, 0},   {1e-30f, 0, 0}, {-1e20f, 0, 0}};
    // Enough other points that the index splits them into many cells.
    for (int i = 0; i < 200; ++i) {
        points.emplace_back(static_cast<float>(i % 7) * 1e-31f, static_cast<float>(i), 5.0f);
    }
    const std::vector<Point3> queries = {{0, 0, 0},     {1e-30f, 0, 0}, {-1e20f, 0, 0},
                                         {1e20f, 0, 0}, {nan, 0, 0},    {3e38f, 3e38f, 0},
                                         {inf, 0, 0}};
    ExpectSameAsScan(points, queries);
    const NearestVertexIndex index(points);
    EXPECT_EQ(index.Find(Point3(1e-30f, 0, 0)), 3);
    EXPECT_EQ(index.Find(Point3(nan, 0, 0)), -1);
    EXPECT_EQ(NearestVertexIndex({{1e20f, 0, 0}}).Find(Point3(-1e20f, 0, 0)), -1);
}

TEST(ZUTMorphHelpers, NearestPointAndTheLinearStep) {
    TriObject object;
    object.mesh.verts = {{0, 0, 0}, {2, 0, 0}, {2, 0, 0}};
    ObjectState state(&object);
    EXPECT_TRUE(FindNearestPoint(&state, Point3(1.5f, 0, 0)) == Point3(2, 0, 0));
    TriObject empty;
    ObjectState nothing(&empty);
    EXPECT_TRUE(FindNearestPoint(&nothing, Point3(4, 5, 6)) == Point3(4, 5, 6));

    EXPECT_TRUE(LerpPoint({0, 0, 0}, {0, 0, 10}, 800, 1600) == Point3(0, 0, 5));
    EXPECT_TRUE(LerpPoint({0, 0, 0}, {0, 0, 10}, -800, 1600) == Point3(0, 0, -5));
    // The whole step lands exactly on the end point, whatever the rounding of b - a in floats.
    const Point3 a(0.1f, -3.3f, 1e-7f), b(1e7f, 0.3f, -2.9f);
    EXPECT_TRUE(LerpPoint(a, b, 1600, 1600) == b);
    EXPECT_TRUE(LerpPoint(a, b, 0, 1600) == a);
}

}  // namespace
