#include "host/point3.h"

int Point3::MaxComponent() const {
    const float ax = std::fabs(x), ay = std::fabs(y), az = std::fabs(z);
    if (ax >= ay && ax >= az) {
        return 0;
    }
    return ay >= az ? 1 : 2;
}

Point3 Normalize(const Point3& p) {
    const float len = p.Length();
    return len == 0.0f ? p : p / len;
}

Point3 FNormalize(const Point3& p) {
    return Normalize(p);
}

Point2 Normalize(const Point2& p) {
    const float len = p.Length();
    return len == 0.0f ? p : Point2(p.x / len, p.y / len);
}
