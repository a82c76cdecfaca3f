#include "host/number_format.h"

#include <charconv>
#include <cmath>
#include <cstring>

namespace {

constexpr double kPowersOfTen[] = {1e-4, 1e-3, 1e-2, 1e-1, 1e0, 1e1, 1e2,
                                   1e3,  1e4,  1e5,  1e6,  1e7, 1e8, 1e9};

// printf writes at least two exponent digits; the original runtime wrote at least three.
void WidenExponent(char* begin, char*& end) {
    char* e = static_cast<char*>(std::memchr(begin, 'e', static_cast<size_t>(end - begin)));
    if (e == nullptr) {
        return;
    }
    char* digits = e + 2;  // past the sign
    if (end - digits == 2) {
        std::memmove(digits + 1, digits, 2);
        *digits = '0';
        ++end;
    }
}

// Infinities and NaNs as the original runtime printed them: 1.#INF, -1.#INF, 1.#QNAN, -1.#IND.
bool AppendSpecial(std::string& out, double value, FloatFormat format) {
    if (std::isfinite(value)) {
        return false;
    }
    const char* text;
    if (std::isinf(value)) {
        text = value < 0 ? "-1.#INF" : "1.#INF";
    } else {
        text = std::signbit(value) ? "-1.#IND" : "1.#QNAN";
    }
    std::string s = text;
    if (format == FloatFormat::Scientific17) {
        const size_t fraction = s.size() - s.find('.') - 1;
        s.append(17 - fraction, '0');
        s += "e+000";
    }
    out += s;
    return true;
}

// Appends the decimal digits of 0 <= value < 10^count, exactly `count` of them.
void AppendDigits(std::string& text, long value, int count) {
    char digits[24];
    const char* end = std::to_chars(digits, digits + sizeof(digits), value).ptr;
    const size_t length = static_cast<size_t>(end - digits);
    text.append(static_cast<size_t>(count) - length, '0');
    text.append(digits, length);
}

// Six significant digits in fixed notation for a single-precision value between 1e-4 and 1e6,
// which is most of a script: the value times a power of ten up to 1e9 is exact in double precision
// (a 24-bit mantissa times a 21-bit power of five), so rounding it to an integer (ties to even, as
// printf rounds the exact value) gives printf's six digits. False, with nothing appended, for
// anything else and for a value that rounds up to 1e6.
bool AppendFixedSingle(std::string& text, double value) {
    const double magnitude = std::fabs(value);
    if (!(magnitude >= kPowersOfTen[0] && magnitude < kPowersOfTen[10]) ||
        static_cast<double>(static_cast<float>(value)) != value) {
        return false;
    }
    int exponent = 5;  // the power of ten of the leading digit
    while (magnitude < kPowersOfTen[exponent + 4]) {
        --exponent;
    }
    double digits = std::nearbyint(magnitude * kPowersOfTen[4 + 5 - exponent]);
    if (digits >= 1e6) {
        if (exponent == 5) {
            return false;
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
        return true;
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
    return true;
}

}  // namespace

void AppendFloat(std::string& out, double value, FloatFormat format) {
    if (AppendSpecial(out, value, format)) {
        return;
    }
    if (format == FloatFormat::General6 && AppendFixedSingle(out, value)) {
        return;
    }
    char buf[64];
    const std::chars_format notation = format == FloatFormat::General6
                                           ? std::chars_format::general
                                           : std::chars_format::scientific;
    const int precision = format == FloatFormat::General6 ? 6 : 17;
    char* end = std::to_chars(buf, buf + sizeof(buf) - 2, value, notation, precision).ptr;
    WidenExponent(buf, end);
    out.append(buf, end);
}

void AppendInteger(std::string& out, long long value) {
    char buf[24];
    const char* end = std::to_chars(buf, buf + sizeof(buf), value).ptr;
    out.append(buf, static_cast<size_t>(end - buf));
}

void AppendUnsigned(std::string& out, unsigned long long value) {
    char buf[24];
    const char* end = std::to_chars(buf, buf + sizeof(buf), value).ptr;
    out.append(buf, static_cast<size_t>(end - buf));
}

std::string FormatGeneral6(double value) {
    std::string s;
    AppendFloat(s, value, FloatFormat::General6);
    return s;
}

std::string FormatScientific17(double value) {
    std::string s;
    AppendFloat(s, value, FloatFormat::Scientific17);
    return s;
}
