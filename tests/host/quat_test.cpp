#include <cmath>

#include <gtest/gtest.h>

#include "host/matrix3.h"
#include "host/quat.h"
#include "math_test_util.h"

namespace {

// The matrix that turns (1,0,0) towards (0,1,0) by `degrees` about z, written out by hand.
Matrix3 ZTurnMatrix(float degrees) {
    const float c = std::cos(Radians(degrees)), s = std::sin(Radians(degrees));
    return Matrix3(Point3(c, s, 0), Point3(-s, c, 0), Point3(0, 0, 1), Point3(0, 0, 0));
}

TEST(QuatConvention, TurnAboutZFollowsTheLeftHandRule) {
    for (float degrees : {10.0f, 45.0f, 90.0f, 119.0f}) {
        SCOPED_TRACE(degrees);
        const float half = Radians(degrees) / 2.0f;
        const Quat q(ZTurnMatrix(degrees));
        EXPECT_TRUE(Near(q, Quat(0, 0, -std::sin(half), std::cos(half))));
        EXPECT_GT(q.w, 0.0f);
    }
}

TEST(QuatConvention, TurnsBeyond120DegreesKeepTheLargestComponentPositive) {
    // Past 120 degrees the trace is not positive and the z component is taken positive, so the
    // quaternion is the negated one and w is negative.
    for (float degrees : {150.0f, 170.0f}) {
        SCOPED_TRACE(degrees);
        const float half = Radians(degrees) / 2.0f;
        const Quat q(ZTurnMatrix(degrees));
        EXPECT_TRUE(Near(q, Quat(0, 0, std::sin(half), -std::cos(half))));
        EXPECT_LT(q.w, 0.0f);
    }
    // 200 degrees is -160: the z component is again positive, w positive.
    const Quat q(ZTurnMatrix(200.0f));
    EXPECT_TRUE(Near(q, Quat(0, 0, std::sin(Radians(80.0f)), std::cos(Radians(80.0f)))));
}

TEST(QuatConvention, MatrixRoundTripsThroughTheQuaternion) {
    const Point3 axes[] = {{1, 0, 0}, {0, 1, 0}, {0, 0, 1}, {1, 2, 3}, {-1, 0.5f, 0.25f}};
    for (const Point3& axis : axes) {
        for (float degrees : {0.0f, 30.0f, 119.0f, 121.0f, 179.0f, 180.0f, 181.0f, 300.0f}) {
            SCOPED_TRACE(testing::Message()
                         << degrees << " about " << axis.x << "," << axis.y << "," << axis.z);
            const Matrix3 m = Turn(degrees, axis);
            EXPECT_TRUE(Near(QuatToMatrix(Quat(m)), m));
        }
    }
}

TEST(QuatConvention, RightHandedTurnsCarryAxesAsExpected) {
    EXPECT_TRUE(Near(Point3(1, 0, 0) * Turn(90, Point3(0, 0, 1)), Point3(0, 1, 0)));
    EXPECT_TRUE(Near(Point3(0, 1, 0) * Turn(90, Point3(1, 0, 0)), Point3(0, 0, 1)));
    EXPECT_TRUE(Near(Point3(0, 0, 1) * Turn(90, Point3(0, 1, 0)), Point3(1, 0, 0)));
}

TEST(QuatProduct, FirstFactorTurnsFirst) {
    const Quat aboutZ = QFromAngAxis(Radians(90), Point3(0, 0, 1));
    const Quat aboutX = QFromAngAxis(Radians(90), Point3(1, 0, 0));
    // z first carries x to y, then x carries y to z.
    EXPECT_TRUE(Near(Point3(1, 0, 0) * QuatToMatrix(aboutZ * aboutX), Point3(0, 0, 1)));
    EXPECT_TRUE(Near(Point3(1, 0, 0) * QuatToMatrix(aboutX * aboutZ), Point3(0, 1, 0)));
}

TEST(QuatProduct, MatchesTheMatrixProduct) {
    const Quat a = QFromAngAxis(0.7f, Point3(1, 2, -1));
    const Quat b = QFromAngAxis(2.5f, Point3(-3, 0.5f, 2));
    EXPECT_TRUE(Near(QuatToMatrix(a * b), QuatToMatrix(a) * QuatToMatrix(b)));
    EXPECT_TRUE(Near(QuatToMatrix(b * a), QuatToMatrix(b) * QuatToMatrix(a)));
}

TEST(QuatProduct, DivisionUndoesTheFirstFactor) {
    const Quat p = QFromAngAxis(0.4f, Point3(0, 1, 1));
    const Quat q = QFromAngAxis(1.1f, Point3(1, 0, 0));
    // p / q = Inverse(q) * p, so q * (p / q) == p.
    EXPECT_TRUE(Near(q * Divide(p, q), p));
    EXPECT_TRUE(Near(Inverse(q) * q, Quat()));
}

TEST(QuatLogarithm, LnGivesHalfTheAngleAlongTheAxis) {
    const Quat q = QFromAngAxis(Radians(90), Point3(0, 0, 1));
    EXPECT_TRUE(Near(Ln(q), Quat(0, 0, -kPi / 4, 0)));
    EXPECT_TRUE(Near(Ln(Quat()), Quat(0, 0, 0, 0)));
}

TEST(QuatLogarithm, LnDifIsTheLogarithmOfTheTurnBetween) {
    const Quat p = QFromAngAxis(Radians(30), Point3(0, 0, 1));
    const Quat q = QFromAngAxis(Radians(90), Point3(0, 0, 1));
    EXPECT_TRUE(Near(LnDif(p, q), Quat(0, 0, -kPi / 6, 0)));
    EXPECT_TRUE(Near(LnDif(q, p), Quat(0, 0, kPi / 6, 0)));
    EXPECT_TRUE(Near(LnDif(q, q), Quat(0, 0, 0, 0)));
}

TEST(QuatLogarithm, LnDifOfTurnsAboutDifferentAxesTakesTheFirstOperandOut) {
    // p turns 90 degrees about x, q 90 degrees about z; with s = sqrt(1/2) they are (-s, 0, 0, s)
    // and (0, 0, -s, s). Worked by hand: Inverse(p) * q = (s, 0, 0, s) * (0, 0, -s, s)
    // = (1/2, 1/2, -1/2, 1/2), a turn of 120 degrees about (1, 1, -1) / sqrt 3, whose logarithm
    // is pi/3 along that axis: (1, 1, -1) * pi / (3 sqrt 3). Taking q * Inverse(p) instead gives
    // (1/2, -1/2, -1/2, 1/2): the y component shows the order of the product.
    const Quat p = QFromAngAxis(Radians(90), Point3(1, 0, 0));
    const Quat q = QFromAngAxis(Radians(90), Point3(0, 0, 1));
    const float c = kPi / (3.0f * std::sqrt(3.0f));
    EXPECT_TRUE(Near(LnDif(p, q), Quat(c, c, -c, 0)));
    EXPECT_TRUE(Near(LnDif(q, p), Quat(-c, -c, c, 0)));
    EXPECT_TRUE(Near(Exp(LnDif(p, q)), Quat(0.5f, 0.5f, -0.5f, 0.5f)));
}

TEST(QuatLogarithm, ExpInvertsLnAndIgnoresW) {
    const Quat q = QFromAngAxis(1.3f, Point3(2, -1, 0.5f));
    EXPECT_TRUE(Near(Exp(Ln(q)), q));
    EXPECT_TRUE(Near(Exp(Quat(0, 0, 0, 5.0f)), Quat()));
    EXPECT_TRUE(Near(Exp(Quat(0, 0, -kPi / 4, 7.0f)), QFromAngAxis(Radians(90), Point3(0, 0, 1))));
    // A tiny vector keeps its components (factor 1).
    const Quat tiny = Exp(Quat(1e-8f, 0, 0, 0));
    EXPECT_FLOAT_EQ(tiny.x, 1e-8f);
    EXPECT_FLOAT_EQ(tiny.w, 1.0f);
}

}  // namespace
