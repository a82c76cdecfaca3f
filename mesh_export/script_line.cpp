#include "mesh_export/script_line.h"

#include <charconv>
#include <cmath>

#include "mesh_export/script_writers.h"

namespace {

constexpr double kPowersOfTen[] = {1e-4, 1e-3, 1e-2, 1e-1, 1e0, 1e1, 1e2,
                                   1e3,  1e4,  1e5,  1e6,  1e7, 1e8, 1e9};

// Appends the decimal digits of 0 <= value < 10^count, exactly `count` of them.
void AppendDigits(std::string& text, long value, int count) {
    char digits[24];
    const char* end = std::to_chars(digits, digits + sizeof(digits), value).ptr;
    const size_t length = static_cast<size_t>(end - digits);
    text.append(static_cast<size_t>(count) - length, '0');
    text.append(digits, length);
}

}  // namespace

// Six significant digits in fixed notation for a single-precision value between 1e-4 and 1e6:
// the value times a power of ten up to 1e9 is exact in double precision (a 24-bit mantissa times
// a 21-bit power of five), so rounding it to an integer (ties to even, as printf rounds the exact
// value) gives the same six digits. Anything else, and a value that rounds up to 1e6, takes the
// stream's own formatter.
void AppendScriptFloat(std::string& text, double value) {
    const double magnitude = std::fabs(value);
    if (!(magnitude >= kPowersOfTen[0] && magnitude < kPowersOfTen[10]) ||
        static_cast<double>(static_cast<float>(value)) != value) {
        AppendGeneral6(text, value);
        return;
    }
    int exponent = 5;  // the power of ten of the leading digit
    while (magnitude < kPowersOfTen[exponent + 4]) {
        --exponent;
    }
    double digits = std::nearbyint(magnitude * kPowersOfTen[4 + 5 - exponent]);
    if (digits >= 1e6) {
        if (exponent == 5) {
            AppendGeneral6(text, value);
            return;
        }
        digits = 1e5;
        ++exponent;
    }
    long significant = static_cast<long>(digits);
    int decimals = 5 - exponent;
    while (decimals > 0 && significant % 10 == 0) {
        significant /= 10;
        --decimals;
    }
    if (value < 0) {
        text += '-';
    }
    if (exponent < 0) {
        text += "0.";
        text.append(static_cast<size_t>(-exponent - 1), '0');
        AppendDigits(text, significant, decimals + exponent + 1);
        return;
    }
    long scale = 1;
    for (int i = 0; i < decimals; ++i) {
        scale *= 10;
    }
    char whole[16];
    const char* end = std::to_chars(whole, whole + sizeof(whole), significant / scale).ptr;
    text.append(whole, static_cast<size_t>(end - whole));
    if (decimals > 0) {
        text += '.';
        AppendDigits(text, significant % scale, decimals);
    }
}

ScriptLine& ScriptLine::Start(std::string_view command) {
    text_.assign(command);
    first_ = true;
    return *this;
}

void ScriptLine::Separate() {
    if (!first_) {
        text_ += ',';
    }
    first_ = false;
}

void ScriptLine::AppendFloat(double value) {
    if (out_.floatFormat() == TextStream::FloatFormat::General6) {
        AppendScriptFloat(text_, value);
    } else {
        AppendScientific17(text_, value);
    }
}

ScriptLine& ScriptLine::Int(long long value) {
    Separate();
    char digits[24];
    const char* end = std::to_chars(digits, digits + sizeof(digits), value).ptr;
    text_.append(digits, static_cast<size_t>(end - digits));
    return *this;
}

ScriptLine& ScriptLine::Float(double value) {
    Separate();
    AppendFloat(value);
    return *this;
}

ScriptLine& ScriptLine::Point(const Point3& p) {
    for (int axis = 0; axis < 3; ++axis) {
        if (floatOutputMode != 0) {
            Float(p[axis]);
        } else {
            Int(ScriptIntegerPart(p[axis]));
        }
    }
    return *this;
}

ScriptLine& ScriptLine::Colour(const Point3& c) {
    return Float(c.x).Float(c.y).Float(c.z);
}

ScriptLine& ScriptLine::Colour(const Color& c) {
    return Float(c.r).Float(c.g).Float(c.b);
}

void ScriptLine::End(std::string_view tail) {
    text_ += ");";
    text_.append(tail);
    out_ << std::string_view(text_) << endl;
}
