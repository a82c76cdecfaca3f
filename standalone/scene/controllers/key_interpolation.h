// Interpolation between the keys of the stand-alone host's controllers: where a time falls among
// the keys, the cubic Hermite of Bezier keys, straight lines and the shortest-arc turn.
#pragma once

#include <vector>

#include "host/max_types.h"
#include "host/quat.h"

namespace pellucid::standalone {

// The keys around a time: `before` is the last key at or before t and `after` the first key after
// it (in time order); either is -1 past that end. `u` is the fraction of the way from `before` to
// `after` (0 when either is missing).
struct KeySpan {
    int before = -1;
    int after = -1;
    double u = 0.0;
    double dt = 0.0;  // ticks between the two keys
};

// `order` lists key indices in ascending time (stable for equal times); `times` are the key times.
KeySpan FindKeySpan(const std::vector<int>& order, const std::vector<TimeValue>& times,
                    TimeValue t);

// Indices of `times` sorted by time, equal times keeping their order.
std::vector<int> SortKeysByTime(const std::vector<TimeValue>& times);

// The cubic Hermite from a (slope sa per unit of u) to b (slope sb) at u, computed in double.
Point3 Hermite(const Point3& a, const Point3& sa, const Point3& b, const Point3& sb, double u);
Point3 Lerp(const Point3& a, const Point3& b, double u);
float Lerp(float a, float b, double u);
// The turn from a towards b along the shortest arc (b is negated when the two lie on opposite
// hemispheres), normalised.
Quat Slerp(const Quat& a, const Quat& b, double u);

}  // namespace pellucid::standalone
