// The number format of the mesh script and the shared point, colour and quaternion writers.
#include <gtest/gtest.h>

#include <cmath>
#include <cstdint>
#include <cstring>
#include <limits>
#include <string>
#include <vector>

#include "mesh_export/script_line.h"
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

namespace {

TEST_F(FloatMode, BuiltLineReadsAsStreamedParts) {
    for (const int mode : {0, 1}) {
        floatOutputMode = mode;
        const Point3 p(1.9f, -2.5f, 1e-5f);
        const std::string streamed = Written([&](TextStream& out) {
            out << "Vertex(" << 7 << ",";
            WritePoint(out, p);
            out << "," << 0.25f << ",";
            WriteColor(out, Color(0.5f, -1.0f, 100.0f));
            out << ");" << endl;
        });
        const std::string built = Written([&](TextStream& out) {
            ScriptLine line(out);
            line.Start("Vertex(").Int(7).Point(p).Float(0.25f).Colour(Color(0.5f, -1.0f, 100.0f));
            line.End();
        });
        EXPECT_EQ(built, streamed) << "mode " << mode;
    }
}

}  // namespace

namespace {

std::string Fast(double value) {
    std::string text;
    AppendScriptFloat(text, value);
    return text;
}

std::string Reference(double value) {
    std::string text;
    AppendGeneral6(text, value);
    return text;
}

TEST(ScriptFloatFormat, MatchesTheStreamFormatAtTheEdges) {
    std::vector<double> values = {0.0,        -0.0,         0.5,      100.0,      0.00001,
                                  1234567.0,  100000.5,     999999.5, 999999.4,   0.0001,
                                  0.00099999, 0.0009999999, 1e-4,     9.99999e-5, 123.456,
                                  0.1,        1.0 / 3.0,    1e30,     1e-30,      -2.5};
    for (const float power :
         {1e-4f, 1e-3f, 1e-2f, 1e-1f, 1.0f, 10.0f, 100.0f, 1e3f, 1e4f, 1e5f, 1e6f}) {
        float below = power;
        float above = power;
        for (int i = 0; i < 3; ++i) {
            values.push_back(below);
            values.push_back(above);
            below = std::nextafter(below, 0.0f);
            above = std::nextafter(above, 2e6f);
        }
    }
    values.push_back(std::numeric_limits<double>::infinity());
    values.push_back(std::numeric_limits<double>::quiet_NaN());
    for (const double value : values) {
        EXPECT_EQ(Fast(value), Reference(value)) << value;
        EXPECT_EQ(Fast(-value), Reference(-value)) << -value;
    }
}

TEST(ScriptFloatFormat, MatchesTheStreamFormatForRandomFloats) {
    std::uint32_t state = 12345;
    int mismatches = 0;
    for (int i = 0; i < 300000 && mismatches < 5; ++i) {
        state = state * 1664525u + 1013904223u;
        // Exponents around the fixed-notation range, any mantissa and sign.
        const std::uint32_t bits = (state & 0x807fffffu) | ((100u + (state >> 8) % 60u) << 23);
        float f;
        std::memcpy(&f, &bits, sizeof(f));
        if (Fast(f) != Reference(f)) {
            ADD_FAILURE() << Fast(f) << " against " << Reference(f);
            ++mismatches;
        }
    }
}

}  // namespace
