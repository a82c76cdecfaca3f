#include "host/matrix3.h"

Matrix3::Matrix3() {
    IdentityMatrix();
}

Matrix3::Matrix3(bool identity) {
    if (identity) {
        IdentityMatrix();
    }
}

Matrix3::Matrix3(const Point3& r0, const Point3& r1, const Point3& r2, const Point3& r3)
    : rows_{r0, r1, r2, r3} {}

void Matrix3::IdentityMatrix() {
    rows_[0] = Point3(1, 0, 0);
    rows_[1] = Point3(0, 1, 0);
    rows_[2] = Point3(0, 0, 1);
    rows_[3] = Point3(0, 0, 0);
}

void Matrix3::Zero() {
    for (Point3& r : rows_) {
        r = Point3();
    }
}

bool Matrix3::IsIdentity() const {
    return *this == Matrix3();
}

bool Matrix3::operator==(const Matrix3& m) const {
    for (int i = 0; i < 4; ++i) {
        if (!(rows_[i] == m.rows_[i])) {
            return false;
        }
    }
    return true;
}

void Matrix3::PreTranslate(const Point3& p) {
    rows_[3] += VectorTransform(p, *this);
}

void Matrix3::Translate(const Point3& p) {
    rows_[3] += p;
}

void Matrix3::NoScale() {
    for (int i = 0; i < 3; ++i) {
        rows_[i] = Normalize(rows_[i]);
    }
}

float Matrix3::Determinant() const {
    const Point3& a = rows_[0];
    const Point3& b = rows_[1];
    const Point3& c = rows_[2];
    return a.x * (b.y * c.z - b.z * c.y) - a.y * (b.x * c.z - b.z * c.x) +
           a.z * (b.x * c.y - b.y * c.x);
}

void Matrix3::Invert() {
    *this = Inverse(*this);
}

Matrix3 Matrix3::operator*(const Matrix3& m) const {
    Matrix3 r(false);
    for (int i = 0; i < 3; ++i) {
        r.rows_[i] = VectorTransform(rows_[i], m);
    }
    r.rows_[3] = rows_[3] * m;
    return r;
}

Matrix3 Inverse(const Matrix3& m) {
    // Computed in double so that well-conditioned matrices invert without visible round-off.
    const double a[3][3] = {
        {m[0].x, m[0].y, m[0].z}, {m[1].x, m[1].y, m[1].z}, {m[2].x, m[2].y, m[2].z}};
    const double c00 = a[1][1] * a[2][2] - a[1][2] * a[2][1];
    const double c01 = a[1][2] * a[2][0] - a[1][0] * a[2][2];
    const double c02 = a[1][0] * a[2][1] - a[1][1] * a[2][0];
    const double det = a[0][0] * c00 + a[0][1] * c01 + a[0][2] * c02;
    if (det == 0.0 || !std::isfinite(det)) {
        return Matrix3();
    }
    const double inv[3][3] = {{c00 / det, (a[0][2] * a[2][1] - a[0][1] * a[2][2]) / det,
                               (a[0][1] * a[1][2] - a[0][2] * a[1][1]) / det},
                              {c01 / det, (a[0][0] * a[2][2] - a[0][2] * a[2][0]) / det,
                               (a[0][2] * a[1][0] - a[0][0] * a[1][2]) / det},
                              {c02 / det, (a[0][1] * a[2][0] - a[0][0] * a[2][1]) / det,
                               (a[0][0] * a[1][1] - a[0][1] * a[1][0]) / det}};
    Matrix3 r(false);
    for (int i = 0; i < 3; ++i) {
        r[i] = Point3(static_cast<float>(inv[i][0]), static_cast<float>(inv[i][1]),
                      static_cast<float>(inv[i][2]));
    }
    const double t[3] = {m[3].x, m[3].y, m[3].z};
    Point3 trans;
    for (int j = 0; j < 3; ++j) {
        trans[j] = static_cast<float>(-(t[0] * inv[0][j] + t[1] * inv[1][j] + t[2] * inv[2][j]));
    }
    r[3] = trans;
    return r;
}

Point3 operator*(const Point3& p, const Matrix3& m) {
    return VectorTransform(p, m) + m[3];
}

Point3 VectorTransform(const Point3& p, const Matrix3& m) {
    return Point3(p.x * m[0].x + p.y * m[1].x + p.z * m[2].x,
                  p.x * m[0].y + p.y * m[1].y + p.z * m[2].y,
                  p.x * m[0].z + p.y * m[1].z + p.z * m[2].z);
}

Matrix3 QuatToMatrix(const Quat& q) {
    Matrix3 m;
    q.MakeMatrix(m);
    return m;
}

Matrix3 TransMatrix(const Point3& p) {
    Matrix3 m;
    m.SetTrans(p);
    return m;
}

Matrix3 ScaleMatrix(const Point3& s) {
    Matrix3 m;
    m[0] = Point3(s.x, 0, 0);
    m[1] = Point3(0, s.y, 0);
    m[2] = Point3(0, 0, s.z);
    return m;
}

void PreRotateMatrix(Matrix3& m, const Quat& q) {
    m = QuatToMatrix(q) * m;
}

void ApplyScaling(Matrix3& m, const ScaleValue& sv) {
    if (sv.q.IsIdentity()) {
        m = ScaleMatrix(sv.s) * m;
        return;
    }
    const Matrix3 axes = QuatToMatrix(sv.q);
    m = Inverse(axes) * ScaleMatrix(sv.s) * axes * m;
}
