// The host's rotation quaternion, with its left-hand rule and product order.
//
// Quat(M) of a row-vector matrix M follows the usual column-vector conversion applied to the
// stored elements, so the matrix that turns (1,0,0) towards (0,1,0) by an angle a about z gives
// (0, 0, -sin a/2, cos a/2). q1 * q2 is the Hamilton product and means q1 first, then q2, as with
// Matrix3 products: MakeMatrix(q1 * q2) == MakeMatrix(q1) * MakeMatrix(q2).
#pragma once

#include "host/point3.h"

class Matrix3;

class Quat {
  public:
    float x = 0.0f, y = 0.0f, z = 0.0f, w = 1.0f;

    constexpr Quat() = default;
    constexpr Quat(float qx, float qy, float qz, float qw) : x(qx), y(qy), z(qz), w(qw) {}
    // The rotation part of a matrix (rows are taken as they are, scale is not removed).
    explicit Quat(const Matrix3& m);

    float& operator[](int i) { return i == 0 ? x : (i == 1 ? y : (i == 2 ? z : w)); }
    float operator[](int i) const { return i == 0 ? x : (i == 1 ? y : (i == 2 ? z : w)); }

    // Hamilton product: this first, then q.
    Quat operator*(const Quat& q) const;
    constexpr Quat operator-() const { return {-x, -y, -z, -w}; }
    constexpr bool operator==(const Quat&) const = default;

    void Identity() { *this = Quat(); }
    bool IsIdentity() const { return x == 0.0f && y == 0.0f && z == 0.0f && w == 1.0f; }
    Quat Conjugate() const { return {-x, -y, -z, w}; }
    Quat Inverse() const;
    Quat Normalize() const;
    void MakeMatrix(Matrix3& m) const;
};

inline Quat Conjugate(const Quat& q) {
    return q.Conjugate();
}
inline Quat Inverse(const Quat& q) {
    return q.Inverse();
}
// p / q of the host: Inverse(q) * p.
Quat Divide(const Quat& p, const Quat& q);
float QuatDot(const Quat& a, const Quat& b);
// Ln(q) = (v * a / |v|, 0) with a = atan2(|v|, w).
Quat Ln(const Quat& q);
// Exp of (x, y, z): (v * sin a / a, cos a) with a = |v|; w is ignored.
Quat Exp(const Quat& q);
// Ln(Inverse(p) * q).
Quat LnDif(const Quat& p, const Quat& q);
// The quaternion of a right-handed turn by `radians` about `axis` (turning (1,0,0) towards (0,1,0)
// about +z for a positive angle), in the host's convention.
Quat QFromAngAxis(float radians, const Point3& axis);

// Scale along the axes of a rotated frame: s along the axes of q.
struct ScaleValue {
    Point3 s{1.0f, 1.0f, 1.0f};
    Quat q;
    constexpr ScaleValue() = default;
    constexpr ScaleValue(const Point3& scale) : s(scale) {}
    constexpr ScaleValue(const Point3& scale, const Quat& axes) : s(scale), q(axes) {}
};
