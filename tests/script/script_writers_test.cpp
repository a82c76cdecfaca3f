// The shared point, colour and quaternion writers, the stream's float output mode, and the line
// builder that must read exactly as streamed parts.
#include <gtest/gtest.h>

#include <limits>
#include <string>

#include "script/script_line.h"
#include "script/script_writers.h"
#include "support/script_files.h"

namespace {

// Runs `write` on a stream over a scratch file with the given float output mode and gives the
// bytes written.
template <typename Write>
std::string Written(int floatOutputMode, Write write) {
    const std::string path = pellucid::test::ScratchPath("script", "writers.txt");
    {
        TextStream out(path);
        out.setFloatOutputMode(floatOutputMode);
        write(out);
    }
    return pellucid::test::ReadBytes(path);
}

TEST(ScriptNumbers, FloatsUseSixSignificantDigitsAndThreeExponentDigits) {
    const auto streamed = [](float value) {
        return Written(1, [value](TextStream& out) { out << value; });
    };
    EXPECT_EQ(streamed(0.5f), "0.5");
    EXPECT_EQ(streamed(100.0f), "100");
    EXPECT_EQ(streamed(0.00001f), "1e-005");
    EXPECT_EQ(streamed(1234567.0f), "1.23457e+006");
    EXPECT_EQ(streamed(0.1f), "0.1");
    EXPECT_EQ(streamed(-0.0f), "-0");
}

TEST(ScriptNumbers, LineEndIsCarriageReturnLineFeed) {
    EXPECT_EQ(Written(1, [](TextStream& out) { out << "BreakScript();" << endl; }),
              "BreakScript();\r\n");
    EXPECT_EQ(Written(1, [](TextStream& out) { out << "MorphChannel(0, \"a\");\n"; }),
              "MorphChannel(0, \"a\");\r\n");
}

TEST(ScriptWriters, PointAndQuaternionInFloatMode) {
    EXPECT_EQ(Written(1, [](TextStream& out) { WritePoint(out, Point3(1.5f, -2.0f, 0.25f)); }),
              "1.5,-2,0.25");
    // The vector part is negated, w kept; a zero component negated is written -0.
    EXPECT_EQ(Written(1, [](TextStream& out) { WriteQuat(out, Quat(0.5f, -0.25f, 0.0f, 0.75f)); }),
              "-0.5,0.25,-0,0.75");
}

TEST(ScriptWriters, ColourIgnoresTheMode) {
    EXPECT_EQ(Written(0, [](TextStream& out) { WriteColor(out, Color(0.588f, 1.0f, -1.0f)); }),
              "0.588,1,-1");
    EXPECT_EQ(Written(0, [](TextStream& out) { WriteColor(out, Point3(0.0f, 0.5f, 1e-5f)); }),
              "0,0.5,1e-005");
}

TEST(ScriptWriters, IntegerPartsOutsideFloatMode) {
    EXPECT_EQ(Written(0, [](TextStream& out) { WritePoint(out, Point3(1.9f, -2.7f, 0.25f)); }),
              "1,-2,0");
    EXPECT_EQ(Written(0, [](TextStream& out) { WriteQuat(out, Quat(0.5f, -3.5f, 2.0f, 1.0f)); }),
              "0,3,-2,1");
    const float nan = std::numeric_limits<float>::quiet_NaN();
    EXPECT_EQ(Written(0, [&](TextStream& out) { WritePoint(out, Point3(nan, 1e30f, -1e30f)); }),
              "0,2147483647,-2147483648");
}

TEST(ScriptWriters, FloatOutputModeBelongsToTheStream) {
    // One stream in float mode leaves a new stream in the mode it starts in.
    const std::string path = pellucid::test::ScratchPath("script", "first.txt");
    TextStream first(path);
    first.setFloatOutputMode(1);
    EXPECT_EQ(Written(0, [](TextStream& out) { WritePoint(out, Point3(1.5f, 0.0f, 0.0f)); }),
              "1,0,0");
    first << "x";
    WritePoint(first, Point3(1.5f, 0.0f, 0.0f));
    first.close();
    EXPECT_EQ(pellucid::test::ReadBytes(path), "x1.5,0,0");
}

TEST(ScriptLine, BuiltLineReadsAsStreamedParts) {
    for (const int mode : {0, 1}) {
        for (const FloatFormat format : {FloatFormat::General6, FloatFormat::Scientific17}) {
            const Point3 p(1.9f, -2.5f, 1e-5f);
            const std::string streamed = Written(mode, [&](TextStream& out) {
                out.setFloatFormat(format);
                out << "Vertex(" << 7 << ",";
                WritePoint(out, p);
                out << "," << 0.25f << ",";
                WriteColor(out, Color(0.5f, -1.0f, 100.0f));
                out << ");" << endl;
            });
            const std::string built = Written(mode, [&](TextStream& out) {
                out.setFloatFormat(format);
                ScriptLine line(out);
                line.Start("Vertex(").Int(7).Point(p).Float(0.25f);
                line.Colour(Color(0.5f, -1.0f, 100.0f)).End();
            });
            EXPECT_EQ(built, streamed) << "mode " << mode;
        }
    }
}

}  // namespace
