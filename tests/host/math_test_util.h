// Comparisons of host values with a tolerance, for the math tests.
#pragma once

#include <cmath>
#include <string>

#include <gtest/gtest.h>

#include "host/matrix3.h"
#include "host/quat.h"

inline testing::AssertionResult Near(const Point3& a, const Point3& b, float tol = 1e-5f) {
    for (int i = 0; i < 3; ++i) {
        if (!(std::fabs(a[i] - b[i]) <= tol)) {
            return testing::AssertionFailure()
                   << "(" << a.x << ", " << a.y << ", " << a.z << ") vs (" << b.x << ", " << b.y
                   << ", " << b.z << ")";
        }
    }
    return testing::AssertionSuccess();
}

inline testing::AssertionResult Near(const Quat& a, const Quat& b, float tol = 1e-5f) {
    for (int i = 0; i < 4; ++i) {
        if (!(std::fabs(a[i] - b[i]) <= tol)) {
            return testing::AssertionFailure()
                   << "(" << a.x << ", " << a.y << ", " << a.z << ", " << a.w << ") vs (" << b.x
                   << ", " << b.y << ", " << b.z << ", " << b.w << ")";
        }
    }
    return testing::AssertionSuccess();
}

inline testing::AssertionResult Near(const Matrix3& a, const Matrix3& b, float tol = 1e-5f) {
    for (int r = 0; r < 4; ++r) {
        testing::AssertionResult row = Near(a[r], b[r], tol);
        if (!row) {
            return testing::AssertionFailure() << "row " << r << ": " << row.message();
        }
    }
    return testing::AssertionSuccess();
}

constexpr float kPi = 3.14159265358979f;

inline float Radians(float degrees) {
    return degrees * kPi / 180.0f;
}

// The row-vector matrix of a right-handed turn about an axis through the origin.
inline Matrix3 Turn(float degrees, const Point3& axis) {
    return QuatToMatrix(QFromAngAxis(Radians(degrees), axis));
}
