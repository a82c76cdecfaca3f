#include "host/quat.h"

#include <algorithm>
#include <cmath>

#include "host/matrix3.h"

Quat::Quat(const Matrix3& mat) {
    // The column-vector conversion applied to the stored elements m[i][j].
    const float m[3][3] = {{mat[0].x, mat[0].y, mat[0].z},
                           {mat[1].x, mat[1].y, mat[1].z},
                           {mat[2].x, mat[2].y, mat[2].z}};
    const float trace = m[0][0] + m[1][1] + m[2][2];
    if (trace > 0.0f) {
        const float s = std::sqrt(trace + 1.0f);
        w = s * 0.5f;
        const float f = 0.5f / s;
        x = (m[2][1] - m[1][2]) * f;
        y = (m[0][2] - m[2][0]) * f;
        z = (m[1][0] - m[0][1]) * f;
        return;
    }
    // Branch of the largest diagonal element; its component is taken positive.
    int i = 0;
    if (m[1][1] > m[0][0]) {
        i = 1;
    }
    if (m[2][2] > m[i][i]) {
        i = 2;
    }
    const int j = (i + 1) % 3;
    const int k = (i + 2) % 3;
    const float s = std::sqrt(m[i][i] - m[j][j] - m[k][k] + 1.0f);
    float v[3];
    v[i] = s * 0.5f;
    const float f = s != 0.0f ? 0.5f / s : 0.0f;
    w = (m[k][j] - m[j][k]) * f;
    v[j] = (m[j][i] + m[i][j]) * f;
    v[k] = (m[k][i] + m[i][k]) * f;
    x = v[0];
    y = v[1];
    z = v[2];
}

Quat Quat::operator*(const Quat& q) const {
    return Quat(w * q.x + x * q.w + y * q.z - z * q.y, w * q.y + y * q.w + z * q.x - x * q.z,
                w * q.z + z * q.w + x * q.y - y * q.x, w * q.w - x * q.x - y * q.y - z * q.z);
}

Quat Quat::Inverse() const {
    const float n = x * x + y * y + z * z + w * w;
    if (n == 0.0f) {
        return Quat();
    }
    return Quat(-x / n, -y / n, -z / n, w / n);
}

Quat Quat::Normalize() const {
    const float n = std::sqrt(x * x + y * y + z * z + w * w);
    if (n == 0.0f) {
        return Quat();
    }
    return Quat(x / n, y / n, z / n, w / n);
}

void Quat::MakeMatrix(Matrix3& m) const {
    // Inverse of Quat(Matrix3): the column-vector rotation matrix stored as it is.
    const float xx = x * x, yy = y * y, zz = z * z;
    const float xy = x * y, xz = x * z, yz = y * z;
    const float wx = w * x, wy = w * y, wz = w * z;
    m[0] = Point3(1.0f - 2.0f * (yy + zz), 2.0f * (xy - wz), 2.0f * (xz + wy));
    m[1] = Point3(2.0f * (xy + wz), 1.0f - 2.0f * (xx + zz), 2.0f * (yz - wx));
    m[2] = Point3(2.0f * (xz - wy), 2.0f * (yz + wx), 1.0f - 2.0f * (xx + yy));
    m[3] = Point3(0, 0, 0);
}

Quat Divide(const Quat& p, const Quat& q) {
    return Inverse(q) * p;
}

float QuatDot(const Quat& a, const Quat& b) {
    return a.x * b.x + a.y * b.y + a.z * b.z + a.w * b.w;
}

Quat Ln(const Quat& q) {
    const float len = std::sqrt(q.x * q.x + q.y * q.y + q.z * q.z);
    if (len == 0.0f) {
        return Quat(0, 0, 0, 0);
    }
    const float f = std::atan2(len, q.w) / len;
    return Quat(q.x * f, q.y * f, q.z * f, 0.0f);
}

Quat Exp(const Quat& q) {
    const float theta = std::sqrt(q.x * q.x + q.y * q.y + q.z * q.z);
    const float f = theta < 1.0e-6f ? 1.0f : std::sin(theta) / theta;
    return Quat(q.x * f, q.y * f, q.z * f, std::cos(theta));
}

Quat LnDif(const Quat& p, const Quat& q) {
    return Ln(Inverse(p) * q);
}

Quat QFromAngAxis(float radians, const Point3& axis) {
    const Point3 a = Normalize(axis);
    const float s = std::sin(radians * 0.5f);
    // The host's rule is left-handed: a right-handed turn has the negated vector part.
    return Quat(-a.x * s, -a.y * s, -a.z * s, std::cos(radians * 0.5f));
}
