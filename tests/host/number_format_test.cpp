// The number writer: every number of every script, as the original runtime wrote it.
#include <gtest/gtest.h>

#include <charconv>
#include <cmath>
#include <cstdint>
#include <cstdio>
#include <cstring>
#include <limits>
#include <string>
#include <string_view>
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

// The writer's former way to %.17e, kept here as the reference: std::to_chars with the exponent
// widened to three digits.
std::string ToCharsScientific17(double value) {
    char text[64];
    const char* end =
        std::to_chars(text, text + sizeof(text), value, std::chars_format::scientific, 17).ptr;
    const std::string_view digits(text, static_cast<size_t>(end - text));
    const size_t sign = digits.find('e') + 1;
    std::string widened(digits.substr(0, sign + 1));
    if (digits.size() - sign == 3) {
        widened += '0';
    }
    widened += digits.substr(sign + 1);
    return widened;
}

double FromBits(std::uint64_t bits) {
    double value;
    std::memcpy(&value, &bits, sizeof(value));
    return value;
}

// Appends `value` and its neighbours in Real: the nearest `pairs - 1` below it (toward zero) and
// above it, a pair at a time from the nearest out, starting with `value` twice.
template <typename Real>
void AddNeighbours(std::vector<double>& values, Real value, int pairs) {
    Real below = value;
    Real above = value;
    for (int i = 0; i < pairs; ++i) {
        values.push_back(below);
        values.push_back(above);
        below = std::nextafter(below, Real{0});
        above = std::nextafter(above, std::numeric_limits<Real>::infinity());
    }
}

// Values where a formatter goes wrong: every exponent, subnormals, exact ties of the eighteenth
// digit, the neighbours of each power of ten and the ends of the range.
std::vector<double> HardScientificValues() {
    std::vector<double> values = {0.0,
                                  -0.0,
                                  std::numeric_limits<double>::min(),
                                  std::numeric_limits<double>::max(),
                                  std::numeric_limits<double>::denorm_min(),
                                  -std::numeric_limits<double>::denorm_min(),
                                  std::nextafter(std::numeric_limits<double>::min(), 0.0),
                                  1e18,
                                  std::nextafter(1e18, 0.0),
                                  9.999999999999999e17,
                                  1e-21,
                                  1e-22,
                                  99999999999999999.5,
                                  0.999999999999999999};
    std::uint64_t state = 0x9e3779b97f4a7c15u;
    const auto next = [&state] {
        state ^= state << 13;
        state ^= state >> 7;
        state ^= state << 17;
        return state;
    };
    for (int i = 0; i < 200000; ++i) {
        values.push_back(FromBits(next()));  // any exponent, NaNs and subnormals included
        std::uint32_t floatBits = static_cast<std::uint32_t>(next());
        float f;
        std::memcpy(&f, &floatBits, sizeof(f));
        values.push_back(f);
        // An odd integer over a power of two: many of these end in an exact tie at the
        // eighteenth digit, which rounds to even.
        values.push_back(std::ldexp(static_cast<double>(next() >> (11 + next() % 40) | 1),
                                    -static_cast<int>(next() % 90)));
    }
    for (int power = -325; power <= 308; ++power) {
        AddNeighbours(values, std::pow(10.0, power), 4);
    }
    return values;
}

TEST(NumberFormat, ScientificSeventeenDigitsAsTheFormerWriterForEveryKindOfDouble) {
    int mismatches = 0;
    for (const double value : HardScientificValues()) {
        for (const double signedValue : {value, -value}) {
            if (!std::isfinite(signedValue)) {
                continue;
            }
            const std::string expected = ToCharsScientific17(signedValue);
            if (FormatScientific17(signedValue) != expected && ++mismatches <= 5) {
                ADD_FAILURE() << FormatScientific17(signedValue) << " against " << expected;
            }
        }
    }
    EXPECT_EQ(mismatches, 0);
    // Appending keeps what the text held.
    std::string text = "x=";
    AppendFloat(text, 0.5, FloatFormat::Scientific17);
    AppendFloat(text, -1e-300, FloatFormat::Scientific17);
    EXPECT_EQ(text, "x=5.00000000000000000e-001-1.00000000000000003e-300");
}

TEST(NumberFormat, NonFiniteValuesAsTheOriginalRuntime) {
    const double inf = std::numeric_limits<double>::infinity();
    EXPECT_EQ(FormatGeneral6(inf), "1.#INF");
    EXPECT_EQ(FormatGeneral6(-inf), "-1.#INF");
    EXPECT_EQ(FormatScientific17(inf), "1.#INF0000000000000e+000");
    EXPECT_EQ(FormatScientific17(-inf), "-1.#INF0000000000000e+000");
    const double nan = std::numeric_limits<double>::quiet_NaN();
    EXPECT_EQ(FormatGeneral6(nan), "1.#QNAN");
    EXPECT_EQ(FormatGeneral6(-nan), "-1.#IND");
    EXPECT_EQ(FormatScientific17(nan), "1.#QNAN000000000000e+000");
    EXPECT_EQ(FormatScientific17(-nan), "-1.#IND0000000000000e+000");
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
        AddNeighbours(values, power, 3);
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
