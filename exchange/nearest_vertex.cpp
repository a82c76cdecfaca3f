#include "exchange/nearest_vertex.h"

#include <algorithm>
#include <cfloat>
#include <cmath>

namespace {

constexpr std::uint32_t kLeafSize = 8;

bool IsFinite(const Point3& p) {
    return std::isfinite(p.x) && std::isfinite(p.y) && std::isfinite(p.z);
}

// Whether a point at single-precision distance `d` beats the best so far: nearer, or as near
// and earlier in index order. Only distances below the largest finite float count.
bool Beats(float d, int index, float best, int bestIndex) {
    return d < FLT_MAX && (d < best || (d == best && index < bestIndex));
}

// A distance in double precision from p to the box, never more than the distance to any point
// inside it.
double DistanceToBox(const Point3& p, const Point3& low, const Point3& high) {
    double sum = 0.0;
    for (int axis = 0; axis < 3; ++axis) {
        const double v = p[axis];
        const double gap = std::max(
            {static_cast<double>(low[axis]) - v, 0.0, v - static_cast<double>(high[axis])});
        sum += gap * gap;
    }
    return std::sqrt(sum);
}

// The single-precision length of p - v is within a few units of the last place of the exact
// distance, or infinite when a square overflows; squares that fall below the normal range lose
// at most about 1e-22. A box farther than this bound from p therefore holds no point that could
// be as near as `best`.
double PruneBound(float best) {
    return static_cast<double>(best) * (1.0 + 2e-6) + 1e-18;
}

}  // namespace

int FindNearestByScan(const Point3& p, const std::vector<Point3>& points) {
    float best = FLT_MAX;
    int bestIndex = -1;
    for (size_t i = 0; i < points.size(); ++i) {
        const float d = (p - points[i]).Length();
        if (d < best) {
            best = d;
            bestIndex = static_cast<int>(i);
        }
    }
    return bestIndex;
}

NearestVertexIndex::NearestVertexIndex(const std::vector<Point3>& points) {
    // A point with an infinite or undefined coordinate is at no finite distance from anything.
    entries_.reserve(points.size());
    for (size_t i = 0; i < points.size(); ++i) {
        if (IsFinite(points[i])) {
            entries_.push_back({points[i], static_cast<int>(i)});
        }
    }
    // Points at the same place are equally near to everything: only the first can win.
    std::sort(entries_.begin(), entries_.end(), [](const Entry& a, const Entry& b) {
        if (a.point.x != b.point.x) {
            return a.point.x < b.point.x;
        }
        if (a.point.y != b.point.y) {
            return a.point.y < b.point.y;
        }
        if (a.point.z != b.point.z) {
            return a.point.z < b.point.z;
        }
        return a.index < b.index;
    });
    entries_.erase(std::unique(entries_.begin(), entries_.end(),
                               [](const Entry& a, const Entry& b) { return a.point == b.point; }),
                   entries_.end());
    Build();
}

void NearestVertexIndex::Build() {
    if (entries_.empty()) {
        return;
    }
    auto bounds = [this](Cell& cell) {
        cell.low = cell.high = entries_[cell.first].point;
        for (std::uint32_t i = cell.first; i < cell.first + cell.count; ++i) {
            const Point3& p = entries_[i].point;
            for (int axis = 0; axis < 3; ++axis) {
                cell.low[axis] = std::min(cell.low[axis], p[axis]);
                cell.high[axis] = std::max(cell.high[axis], p[axis]);
            }
        }
    };
    Cell root;
    root.count = static_cast<std::uint32_t>(entries_.size());
    bounds(root);
    cells_.push_back(root);
    std::vector<std::uint32_t> pending{0};
    while (!pending.empty()) {
        const std::uint32_t at = pending.back();
        pending.pop_back();
        Cell cell = cells_[at];
        if (cell.count <= kLeafSize) {
            continue;
        }
        // Split at the median of the widest extent.
        const Point3 extent = cell.high - cell.low;
        const int axis = extent.MaxComponent();
        const std::uint32_t half = cell.count / 2;
        auto begin = entries_.begin() + cell.first;
        std::nth_element(
            begin, begin + half, begin + cell.count,
            [axis](const Entry& a, const Entry& b) { return a.point[axis] < b.point[axis]; });
        Cell lower, upper;
        lower.first = cell.first;
        lower.count = half;
        upper.first = cell.first + half;
        upper.count = cell.count - half;
        bounds(lower);
        bounds(upper);
        const auto children = static_cast<std::uint32_t>(cells_.size());
        cells_[at].leaf = false;
        cells_[at].first = children;
        cells_.push_back(lower);
        cells_.push_back(upper);
        pending.push_back(children);
        pending.push_back(children + 1);
    }
}

int NearestVertexIndex::Find(const Point3& p) const {
    if (cells_.empty() || !IsFinite(p)) {
        return -1;
    }
    float best = FLT_MAX;
    int bestIndex = -1;
    struct Visit {
        std::uint32_t cell;
        double distance;
    };
    std::vector<Visit> pending;
    pending.reserve(64);
    pending.push_back({0, 0.0});
    while (!pending.empty()) {
        const Visit visit = pending.back();
        pending.pop_back();
        if (visit.distance > PruneBound(best)) {
            continue;
        }
        const Cell& cell = cells_[visit.cell];
        if (cell.leaf) {
            for (std::uint32_t i = cell.first; i < cell.first + cell.count; ++i) {
                const Entry& entry = entries_[i];
                const float d = (p - entry.point).Length();
                if (Beats(d, entry.index, best, bestIndex)) {
                    best = d;
                    bestIndex = entry.index;
                }
            }
            continue;
        }
        Visit a{cell.first, DistanceToBox(p, cells_[cell.first].low, cells_[cell.first].high)};
        Visit b{cell.first + 1,
                DistanceToBox(p, cells_[cell.first + 1].low, cells_[cell.first + 1].high)};
        if (a.distance < b.distance) {
            std::swap(a, b);
        }
        // The nearer child goes last, so that it is searched first.
        pending.push_back(a);
        pending.push_back(b);
    }
    return bestIndex;
}
