// The nearest of a fixed set of points to a query point, as the exchange format relates a posed
// mesh to its rest shape: Euclidean distance taken as the host takes a length (in single
// precision), of equally near points the first in index order, and only distances below the
// largest finite float count.
#pragma once

#include <cstdint>
#include <vector>

#include "host/point3.h"

// The answer of a scan over every point in index order: the index of the nearest point, or -1
// when no distance counts (no points, or only infinite or undefined distances).
int FindNearestByScan(const Point3& p, const std::vector<Point3>& points);

// The same answer from a tree over the points, so that relating two meshes of many vertices is
// not quadratic. The points are copied; the index answers for them as they were.
class NearestVertexIndex {
  public:
    explicit NearestVertexIndex(const std::vector<Point3>& points);

    int Find(const Point3& p) const;

  private:
    struct Cell {
        Point3 low, high;  // bounds of the points below
        // A leaf holds entries [first, first + count); an inner cell has its children at
        // `first` and `first + 1` in cells_.
        std::uint32_t first = 0;
        std::uint32_t count = 0;
        bool leaf = true;
    };
    struct Entry {
        Point3 point;
        int index;
    };

    void Build();

    std::vector<Entry> entries_;
    std::vector<Cell> cells_;
};
