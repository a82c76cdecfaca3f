// The host's affine transform: three axis rows and a translation row; points are row vectors.
#pragma once

#include "host/point3.h"
#include "host/quat.h"

class Matrix3 {
  public:
    // Identity.
    Matrix3();
    explicit Matrix3(bool identity);
    Matrix3(const Point3& r0, const Point3& r1, const Point3& r2, const Point3& r3);

    Point3& operator[](int row) { return rows_[row]; }
    const Point3& operator[](int row) const { return rows_[row]; }
    Point3 GetRow(int row) const { return rows_[row]; }
    void SetRow(int row, const Point3& p) { rows_[row] = p; }
    Point3 GetTrans() const { return rows_[3]; }
    void SetTrans(const Point3& p) { rows_[3] = p; }
    void NoTrans() { rows_[3] = Point3(); }

    void IdentityMatrix();
    void Zero();
    bool IsIdentity() const;

    // this = Translation(p) * this.
    void PreTranslate(const Point3& p);
    // this = this * Translation(p).
    void Translate(const Point3& p);
    // Each axis row scaled to unit length; the translation row and zero rows are left as they are.
    void NoScale();
    // this = Inverse(this); a singular matrix becomes the identity.
    void Invert();
    // Determinant of the 3x3 part.
    float Determinant() const;

    // Row-vector product: this first, then m.
    Matrix3 operator*(const Matrix3& m) const;
    Matrix3& operator*=(const Matrix3& m) { return *this = *this * m; }
    bool operator==(const Matrix3& m) const;

  private:
    Point3 rows_[4];
};

// The inverse of an affine matrix; a singular matrix gives the identity.
Matrix3 Inverse(const Matrix3& m);
// A point carried by the matrix, translation included.
Point3 operator*(const Point3& p, const Matrix3& m);
// A vector carried by the axis rows only.
Point3 VectorTransform(const Point3& p, const Matrix3& m);
// The rotation matrix of q (MakeMatrix of the host).
Matrix3 QuatToMatrix(const Quat& q);
Matrix3 TransMatrix(const Point3& p);
Matrix3 ScaleMatrix(const Point3& s);
// m = MakeMatrix(q) * m.
void PreRotateMatrix(Matrix3& m, const Quat& q);
// m = Inverse(R(sv.q)) * Scale(sv.s) * R(sv.q) * m.
void ApplyScaling(Matrix3& m, const ScaleValue& sv);
