#include <algorithm>
#include <array>
#include <cstring>
#include <vector>

#include <gtest/gtest.h>

#include "host/decomp.h"
#include "math_test_util.h"

namespace {

AffineParts Decompose(const Matrix3& m) {
    AffineParts parts;
    decomp_affine(m, &parts);
    return parts;
}

// Inverse(U) * K * U * R(q) * (f * I) * T(t).
Matrix3 Recompose(const AffineParts& p) {
    const Matrix3 u = QuatToMatrix(p.u);
    return Inverse(u) * ScaleMatrix(p.k) * u * QuatToMatrix(p.q) *
           ScaleMatrix(Point3(p.f, p.f, p.f)) * TransMatrix(p.t);
}

testing::AssertionResult RoundTrips(const Matrix3& m) {
    const AffineParts p = Decompose(m);
    if (!(p.k.x > 0 && p.k.y > 0 && p.k.z > 0)) {
        return testing::AssertionFailure() << "scale not positive";
    }
    return Near(Recompose(p), m, 1e-4f);
}

TEST(DecompAffine, PureRotationGivesTheMatrixQuaternion) {
    const Point3 axes[] = {{0, 0, 1}, {1, 0, 0}, {1, 1, 1}, {-2, 1, 0.5f}};
    for (const Point3& axis : axes) {
        for (float degrees : {20.0f, 90.0f, 119.0f, 125.0f, 150.0f, 179.0f, 200.0f, 330.0f}) {
            SCOPED_TRACE(testing::Message()
                         << degrees << " about " << axis.x << "," << axis.y << "," << axis.z);
            Matrix3 m = Turn(degrees, axis);
            m.SetTrans(Point3(1, -2, 3));
            const AffineParts p = Decompose(m);
            EXPECT_TRUE(Near(p.q, Quat(m), 1e-5f));
            EXPECT_TRUE(Near(p.k, Point3(1, 1, 1)));
            EXPECT_EQ(p.f, 1.0f);
            EXPECT_EQ(p.t, Point3(1, -2, 3));
            EXPECT_TRUE(RoundTrips(m));
        }
    }
}

TEST(DecompAffine, TurnBeyond120DegreesHasNegativeW) {
    const AffineParts p = Decompose(Turn(150, Point3(0, 0, 1)));
    EXPECT_LT(p.q.w, 0.0f);
    EXPECT_GT(p.q.z, 0.0f);
    EXPECT_TRUE(Near(p.q, Quat(0, 0, std::sin(Radians(75)), -std::cos(Radians(75)))));
}

TEST(DecompAffine, AxisScaleComesOutInAxisOrderWithoutStretchRotation) {
    const Matrix3 turn = Turn(40, Point3(0, 1, 0));
    const Matrix3 m = ScaleMatrix(Point3(2, 3, 4)) * turn * TransMatrix(Point3(5, 6, 7));
    const AffineParts p = Decompose(m);
    EXPECT_TRUE(Near(p.k, Point3(2, 3, 4), 1e-5f));
    EXPECT_TRUE(Near(p.u, Quat(), 1e-5f));
    EXPECT_TRUE(Near(p.q, Quat(turn), 1e-5f));
    EXPECT_EQ(p.f, 1.0f);
    EXPECT_TRUE(RoundTrips(m));
}

TEST(DecompAffine, MirroredMatrixHasNegativeSignAndPositiveScale) {
    const Matrix3 mirror = ScaleMatrix(Point3(1, 1, -1));
    const AffineParts plain = Decompose(mirror);
    EXPECT_EQ(plain.f, -1.0f);
    EXPECT_TRUE(Near(plain.k, Point3(1, 1, 1)));
    EXPECT_TRUE(RoundTrips(mirror));

    const Matrix3 m =
        ScaleMatrix(Point3(-2, 3, 4)) * Turn(70, Point3(1, 0, 1)) * TransMatrix(Point3(0, 1, 0));
    const AffineParts p = Decompose(m);
    EXPECT_EQ(p.f, -1.0f);
    EXPECT_TRUE(Near(p.k, Point3(2, 3, 4), 1e-5f));
    EXPECT_TRUE(RoundTrips(m));
}

TEST(DecompAffine, StretchAlongTurnedAxesRoundTrips) {
    const Matrix3 stretchAxes = Turn(30, Point3(1, 2, 3));
    const Matrix3 m = Inverse(stretchAxes) * ScaleMatrix(Point3(0.5f, 2, 7)) * stretchAxes *
                      Turn(160, Point3(0, 1, -1)) * TransMatrix(Point3(-4, 0, 9));
    const AffineParts p = Decompose(m);
    std::array<float, 3> k = {p.k.x, p.k.y, p.k.z};
    std::sort(k.begin(), k.end());
    EXPECT_NEAR(k[0], 0.5f, 1e-5f);
    EXPECT_NEAR(k[1], 2.0f, 1e-5f);
    EXPECT_NEAR(k[2], 7.0f, 1e-5f);
    EXPECT_TRUE(RoundTrips(m));
    EXPECT_TRUE(RoundTrips(ScaleMatrix(Point3(1, 1, -1)) * m));
}

TEST(DecompAffine, IdentityAndUniformScale) {
    const AffineParts id = Decompose(Matrix3());
    EXPECT_TRUE(Near(id.q, Quat()));
    EXPECT_TRUE(Near(id.u, Quat()));
    EXPECT_TRUE(Near(id.k, Point3(1, 1, 1)));
    EXPECT_EQ(id.f, 1.0f);

    const AffineParts twice = Decompose(ScaleMatrix(Point3(2, 2, 2)));
    EXPECT_TRUE(Near(twice.k, Point3(2, 2, 2)));
    EXPECT_TRUE(Near(twice.q, Quat()));
}

TEST(DecompAffine, DegenerateMatricesGiveFiniteParts) {
    const Matrix3 flat = ScaleMatrix(Point3(1, 1, 0)) * Turn(30, Point3(0, 0, 1));
    const Matrix3 zero = ScaleMatrix(Point3(0, 0, 0));
    for (const Matrix3& m : {flat, zero}) {
        const AffineParts p = Decompose(m);
        for (int i = 0; i < 4; ++i) {
            EXPECT_TRUE(std::isfinite(p.q[i]));
            EXPECT_TRUE(std::isfinite(p.u[i]));
        }
        for (int i = 0; i < 3; ++i) {
            EXPECT_TRUE(std::isfinite(p.k[i]));
        }
    }
    EXPECT_TRUE(Near(Recompose(Decompose(flat)), flat, 1e-5f));
}

// Many matrices at once give, bit for bit, what one call per matrix gives, whatever their mix
// of kinds within a group and however many there are.
TEST(DecompAffine, ManyAtOnceGiveTheSamePartsAsOneByOne) {
    std::vector<Matrix3> matrices;
    for (int i = 0; i < 23; ++i) {
        const float f = static_cast<float>(i);
        Matrix3 m = Turn(17.0f * f, Point3(1.0f, 0.3f * f, -0.5f));
        m.SetTrans(Point3(f, -f, 2.0f));
        switch (i % 5) {
            case 1:
                m = ScaleMatrix(Point3(0.5f, 2.0f + f, 7.0f)) * m;  // stretched
                break;
            case 2:
                m = ScaleMatrix(Point3(1, 1, -1)) * m;  // mirrored
                break;
            case 3:
                m = ScaleMatrix(Point3(1, 1, 0)) * m;  // flat
                break;
            case 4:
                m = Turn(0.001f * f, Point3(0, 0, 1));  // nearly the identity
                break;
            default:
                break;
        }
        matrices.push_back(m);
    }
    matrices.push_back(ScaleMatrix(Point3(0, 0, 0)));
    for (size_t count : {size_t{0}, size_t{1}, size_t{3}, size_t{4}, size_t{9}, matrices.size()}) {
        SCOPED_TRACE(count);
        std::vector<AffineParts> many(count);
        decomp_affine_many(std::span(matrices).first(count), many);
        for (size_t i = 0; i < count; ++i) {
            const AffineParts one = Decompose(matrices[i]);
            EXPECT_EQ(std::memcmp(&many[i].q, &one.q, sizeof(Quat)), 0) << i;
            EXPECT_EQ(std::memcmp(&many[i].u, &one.u, sizeof(Quat)), 0) << i;
            EXPECT_EQ(std::memcmp(&many[i].k, &one.k, sizeof(Point3)), 0) << i;
            EXPECT_EQ(std::memcmp(&many[i].t, &one.t, sizeof(Point3)), 0) << i;
            EXPECT_EQ(many[i].f, one.f) << i;
        }
    }
}

}  // namespace
