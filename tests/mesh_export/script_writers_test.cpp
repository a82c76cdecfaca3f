// The number format of the mesh script and the shared point, colour and quaternion writers.
#include <gtest/gtest.h>

#include <cmath>
#include <limits>

#include "mesh_export/script_writers.h"
#include "mesh_test_support.h"

namespace {

// Runs `write` on a stream over a scratch file and gives the bytes written.
template <typename Write>
std::string Written(Write write) {
    const std::string path = ScratchPath("writers.txt");
    {
        TextStream out(path);
        write(out);
    }
    return ReadBytes(path);
}

class FloatMode : public testing::Test {
  protected:
    void SetUp() override { saved_ = floatOutputMode; }
    void TearDown() override { floatOutputMode = saved_; }
    int saved_ = 0;
};

TEST(MeshScriptNumbers, FloatsUseSixSignificantDigitsAndThreeExponentDigits) {
    EXPECT_EQ(Written([](TextStream& out) { out << 0.5f; }), "0.5");
    EXPECT_EQ(Written([](TextStream& out) { out << 100.0f; }), "100");
    EXPECT_EQ(Written([](TextStream& out) { out << 0.00001f; }), "1e-005");
    EXPECT_EQ(Written([](TextStream& out) { out << 1234567.0f; }), "1.23457e+006");
    EXPECT_EQ(Written([](TextStream& out) { out << 0.1f; }), "0.1");
    EXPECT_EQ(Written([](TextStream& out) { out << -0.0f; }), "-0");
    EXPECT_EQ(Written([](TextStream& out) { out << 1.5f << "," << -2.0f; }), "1.5,-2");
}

TEST(MeshScriptNumbers, LineEndIsCarriageReturnLineFeed) {
    EXPECT_EQ(Written([](TextStream& out) { out << "BreakScript();" << endl; }),
              "BreakScript();\r\n");
    EXPECT_EQ(Written([](TextStream& out) { out << "MorphChannel(0, \"a\");\n"; }),
              "MorphChannel(0, \"a\");\r\n");
}

TEST_F(FloatMode, PointAndQuaternionInFloatMode) {
    floatOutputMode = 1;
    EXPECT_EQ(Written([](TextStream& out) { WritePoint(out, Point3(1.5f, -2.0f, 0.25f)); }),
              "1.5,-2,0.25");
    // The vector part is negated, w kept; a zero component negated is written -0.
    EXPECT_EQ(Written([](TextStream& out) { WriteQuat(out, Quat(0.5f, -0.25f, 0.0f, 0.75f)); }),
              "-0.5,0.25,-0,0.75");
}

TEST_F(FloatMode, ColourIgnoresTheMode) {
    floatOutputMode = 0;
    EXPECT_EQ(Written([](TextStream& out) { WriteColor(out, Color(0.588f, 1.0f, -1.0f)); }),
              "0.588,1,-1");
    EXPECT_EQ(Written([](TextStream& out) { WriteColor(out, Point3(0.0f, 0.5f, 1e-5f)); }),
              "0,0.5,1e-005");
}

TEST_F(FloatMode, IntegerPartsOutsideFloatMode) {
    floatOutputMode = 0;
    EXPECT_EQ(Written([](TextStream& out) { WritePoint(out, Point3(1.9f, -2.7f, 0.25f)); }),
              "1,-2,0");
    EXPECT_EQ(Written([](TextStream& out) { WriteQuat(out, Quat(0.5f, -3.5f, 2.0f, 1.0f)); }),
              "0,3,-2,1");
    const float nan = std::numeric_limits<float>::quiet_NaN();
    EXPECT_EQ(Written([&](TextStream& out) { WritePoint(out, Point3(nan, 1e30f, -1e30f)); }),
              "0,2147483647,-2147483648");
}

}  // namespace
