// The number writer: every number of every script, as the original runtime wrote it.
#include <gtest/gtest.h>

#include <cmath>
#include <cstdint>
#include <cstdio>
#include <cstring>
#include <limits>
#include <string>
#include <vector>

#include "host/number_format.h"

namespace {

TEST(NumberFormat, GeneralSixDigitsAsTheOriginalRuntime) {
    const struct {
        double value;
        const char* text;
    } cases[] = {
        {0.5, "0.5"},
        {100.0, "100"},
        {1.0, "1"},
        {0.0, "0"},
        {-0.0, "-0"},
        {-2.25, "-2.25"},
        {0.0001, "0.0001"},
        {0.00001, "1e-005"},
        {123456.0, "123456"},
        {1234567.0, "1.23457e+006"},
        {1000000.0, "1e+006"},
        {1e100, "1e+100"},
        {1e-300, "1e-300"},
        {static_cast<double>(0.1f), "0.1"},
        {1.0 / 3.0, "0.333333"},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(FormatGeneral6(c.value), c.text) << c.value;
    }
}

TEST(NumberFormat, ScientificSeventeenDigitsRoundsTheDoubleExactly) {
    EXPECT_EQ(FormatScientific17(1.0), "1.00000000000000000e+000");
    EXPECT_EQ(FormatScientific17(static_cast<double>(0.1f)), "1.00000001490116119e-001");
    EXPECT_EQ(FormatScientific17(0.1), "1.00000000000000006e-001");
    EXPECT_EQ(FormatScientific17(-0.0), "-0.00000000000000000e+000");
    EXPECT_EQ(FormatScientific17(-12345.5), "-1.23455000000000000e+004");
    EXPECT_EQ(FormatScientific17(1e300), "1.00000000000000005e+300");
}

TEST(NumberFormat, NonFiniteValuesAsTheOriginalRuntime) {
    const double inf = std::numeric_limits<double>::infinity();
    EXPECT_EQ(FormatGeneral6(inf), "1.#INF");
    EXPECT_EQ(FormatGeneral6(-inf), "-1.#INF");
    EXPECT_EQ(FormatScientific17(inf), "1.#INF0000000000000e+000");
    const double nan = std::numeric_limits<double>::quiet_NaN();
    EXPECT_EQ(FormatGeneral6(nan), "1.#QNAN");
    EXPECT_EQ(FormatGeneral6(-nan), "-1.#IND");
}

// printf's %g with the exponent widened to three digits: the reference for finite values.
std::string PrintfGeneral6(double value) {
    char text[64];
    const int length = std::snprintf(text, sizeof(text), "%g", value);
    const char* e = std::strchr(text, 'e');
    std::string widened;
    for (int i = 0; i < length; ++i) {
        widened.push_back(text[i]);
        if (e != nullptr && text + i == e + 1 && length - i == 3) {
            widened.push_back('0');  // two exponent digits follow the sign
        }
    }
    return widened;
}

TEST(NumberFormat, GeneralSixDigitsMatchesPrintfAtTheEdgesOfEveryDecade) {
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
    for (const double value : values) {
        EXPECT_EQ(FormatGeneral6(value), PrintfGeneral6(value)) << value;
        EXPECT_EQ(FormatGeneral6(-value), PrintfGeneral6(-value)) << -value;
    }
}

TEST(NumberFormat, GeneralSixDigitsMatchesPrintfForRandomFloats) {
    std::uint32_t state = 12345;
    int mismatches = 0;
    for (int i = 0; i < 100000 && mismatches < 5; ++i) {
        state = state * 1664525u + 1013904223u;
        // Exponents around the fixed-notation range, any mantissa and sign.
        const std::uint32_t bits = (state & 0x807fffffu) | ((100u + (state >> 8) % 60u) << 23);
        float f;
        std::memcpy(&f, &bits, sizeof(f));
        if (FormatGeneral6(f) != PrintfGeneral6(f)) {
            ADD_FAILURE() << FormatGeneral6(f) << " against " << PrintfGeneral6(f);
            ++mismatches;
        }
    }
}

}  // namespace
