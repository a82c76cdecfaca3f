#include <gtest/gtest.h>

#include "host/matrix3.h"
#include "math_test_util.h"

namespace {

TEST(Matrix3Product, LeftFactorAppliesFirst) {
    const Matrix3 move = TransMatrix(Point3(10, 0, 0));
    const Matrix3 turn = Turn(90, Point3(0, 0, 1));
    // Moved, then turned: (10,0,0) goes to (0,10,0).
    EXPECT_TRUE(Near(Point3(0, 0, 0) * (move * turn), Point3(0, 10, 0)));
    EXPECT_TRUE(Near(Point3(0, 0, 0) * (turn * move), Point3(10, 0, 0)));
    EXPECT_TRUE(Near(VectorTransform(Point3(1, 0, 0), move * turn), Point3(0, 1, 0)));
}

TEST(Matrix3Inverse, UndoesAnAffineMatrix) {
    const Matrix3 m = ScaleMatrix(Point3(2, -3, 0.5f)) * Turn(75, Point3(1, -1, 2)) *
                      TransMatrix(Point3(4, 5, -6));
    EXPECT_TRUE(Near(m * Inverse(m), Matrix3(), 1e-5f));
    EXPECT_TRUE(Near(Inverse(m) * m, Matrix3(), 1e-5f));
    Matrix3 inverted = m;
    inverted.Invert();
    EXPECT_TRUE(Near(inverted, Inverse(m)));
}

TEST(Matrix3Inverse, SingularMatrixGivesIdentity) {
    Matrix3 flat = ScaleMatrix(Point3(1, 0, 1));
    flat.SetTrans(Point3(1, 2, 3));
    EXPECT_EQ(Inverse(flat), Matrix3());
    Matrix3 zero(false);
    zero.Zero();
    EXPECT_EQ(Inverse(zero), Matrix3());
}

TEST(Matrix3NoScale, NormalisesAxisRowsAndKeepsTranslationAndZeroRows) {
    Matrix3 m(Point3(3, 4, 0), Point3(0, 0, 0), Point3(0, 0, -2), Point3(7, 8, 9));
    m.NoScale();
    EXPECT_TRUE(Near(m[0], Point3(0.6f, 0.8f, 0)));
    EXPECT_EQ(m[1], Point3(0, 0, 0));
    EXPECT_EQ(m[2], Point3(0, 0, -1));
    EXPECT_EQ(m[3], Point3(7, 8, 9));
}

TEST(Matrix3PreTranslate, MovesInTheMatrixsOwnAxes) {
    Matrix3 m = ScaleMatrix(Point3(2, 2, 2)) * Turn(90, Point3(0, 0, 1));
    m.SetTrans(Point3(1, 1, 1));
    const Matrix3 before = m;
    m.PreTranslate(Point3(1, 0, 0));
    // Translation(p) * M: the offset is carried by M's axes before M's own translation.
    EXPECT_TRUE(Near(m, TransMatrix(Point3(1, 0, 0)) * before));
    EXPECT_TRUE(Near(m.GetTrans(), Point3(1, 3, 1)));
    Matrix3 t;
    t.Translate(Point3(1, 2, 3));
    EXPECT_EQ(t.GetTrans(), Point3(1, 2, 3));
}

TEST(Matrix3ApplyScaling, PreMultipliesTheScale) {
    Matrix3 m = Turn(90, Point3(0, 0, 1));
    m.SetTrans(Point3(5, 0, 0));
    const Matrix3 before = m;
    ApplyScaling(m, ScaleValue(Point3(2, 3, 4)));
    EXPECT_TRUE(Near(m, ScaleMatrix(Point3(2, 3, 4)) * before));
    // Object point (1,0,0): scaled to (2,0,0), turned to (0,2,0), moved to (5,2,0).
    EXPECT_TRUE(Near(Point3(1, 0, 0) * m, Point3(5, 2, 0)));
}

TEST(Matrix3ApplyScaling, ScalesAlongTheScaleValuesAxes) {
    const Quat axes = QFromAngAxis(Radians(90), Point3(0, 0, 1));
    Matrix3 m;
    ApplyScaling(m, ScaleValue(Point3(3, 1, 1), axes));
    // The scale's x axis is the world's y axis.
    EXPECT_TRUE(Near(Point3(0, 1, 0) * m, Point3(0, 3, 0)));
    EXPECT_TRUE(Near(Point3(1, 0, 0) * m, Point3(1, 0, 0)));
}

}  // namespace
