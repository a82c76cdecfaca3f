#include "standalone/scene/controllers/key_interpolation.h"

#include <algorithm>
#include <cmath>
#include <numeric>

namespace pellucid::standalone {

std::vector<int> SortKeysByTime(const std::vector<TimeValue>& times) {
    std::vector<int> order(times.size());
    std::iota(order.begin(), order.end(), 0);
    std::stable_sort(order.begin(), order.end(), [&](int a, int b) {
        return times[static_cast<size_t>(a)] < times[static_cast<size_t>(b)];
    });
    return order;
}

KeySpan FindKeySpan(const std::vector<int>& order, const std::vector<TimeValue>& times,
                    TimeValue t) {
    KeySpan span;
    // First position whose key lies after t.
    const auto next = std::upper_bound(order.begin(), order.end(), t, [&](TimeValue value, int k) {
        return value < times[static_cast<size_t>(k)];
    });
    if (next != order.begin()) {
        span.before = *(next - 1);
    }
    if (next != order.end()) {
        span.after = *next;
    }
    if (span.before >= 0 && span.after >= 0) {
        const double t0 = times[static_cast<size_t>(span.before)];
        const double t1 = times[static_cast<size_t>(span.after)];
        span.dt = t1 - t0;
        span.u = span.dt > 0.0 ? (static_cast<double>(t) - t0) / span.dt : 0.0;
    }
    return span;
}

Point3 Hermite(const Point3& a, const Point3& sa, const Point3& b, const Point3& sb, double u) {
    const double u2 = u * u;
    const double u3 = u2 * u;
    const double h00 = 2.0 * u3 - 3.0 * u2 + 1.0;
    const double h10 = u3 - 2.0 * u2 + u;
    const double h01 = -2.0 * u3 + 3.0 * u2;
    const double h11 = u3 - u2;
    Point3 r;
    for (int i = 0; i < 3; ++i) {
        r[i] = static_cast<float>(h00 * a[i] + h10 * sa[i] + h01 * b[i] + h11 * sb[i]);
    }
    return r;
}

Point3 Lerp(const Point3& a, const Point3& b, double u) {
    return Point3(Lerp(a.x, b.x, u), Lerp(a.y, b.y, u), Lerp(a.z, b.z, u));
}

float Lerp(float a, float b, double u) {
    return static_cast<float>(static_cast<double>(a) + (static_cast<double>(b) - a) * u);
}

Quat Slerp(const Quat& a, const Quat& b, double u) {
    double ax = a.x, ay = a.y, az = a.z, aw = a.w;
    double bx = b.x, by = b.y, bz = b.z, bw = b.w;
    double dot = ax * bx + ay * by + az * bz + aw * bw;
    if (dot < 0.0) {
        bx = -bx;
        by = -by;
        bz = -bz;
        bw = -bw;
        dot = -dot;
    }
    double wa = 1.0 - u;
    double wb = u;
    if (dot < 0.9999999) {
        const double theta = std::acos(std::min(dot, 1.0));
        const double s = std::sin(theta);
        wa = std::sin((1.0 - u) * theta) / s;
        wb = std::sin(u * theta) / s;
    }
    double x = wa * ax + wb * bx, y = wa * ay + wb * by, z = wa * az + wb * bz,
           w = wa * aw + wb * bw;
    const double n = std::sqrt(x * x + y * y + z * z + w * w);
    if (n > 0.0) {
        x /= n;
        y /= n;
        z /= n;
        w /= n;
    }
    return Quat(static_cast<float>(x), static_cast<float>(y), static_cast<float>(z),
                static_cast<float>(w));
}

}  // namespace pellucid::standalone
