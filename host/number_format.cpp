#include "host/number_format.h"

#include <array>
#include <bit>
#include <charconv>
#include <cmath>
#include <cstdint>
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

// %.17e by exact integer arithmetic. A finite double is m * 2^e; its eighteen significant digits
// are D = m * 2^e * 10^k rounded half to even, with k chosen so that 10^17 <= D < 10^18. Whenever
// m * 10^k fits in 128 bits (every normal value from about 1e-21 to 1e18, which holds the
// script's quaternions, positions and times), D and the remainder that decides its rounding come
// from one product and one shift, the same digits that a correctly rounding printf gives.
__extension__ typedef unsigned __int128 Uint128;

constexpr int kMaxScale = 38;  // 10^38 < 2^128 < 10^39

constexpr std::array<Uint128, kMaxScale + 1> kScales = [] {
    std::array<Uint128, kMaxScale + 1> scales{};
    Uint128 scale = 1;
    for (Uint128& s : scales) {
        s = scale;
        scale *= 10;
    }
    return scales;
}();

constexpr std::uint64_t kLowestSignificand = 100000000000000000u;  // 10^17

constexpr char kDigitPairs[] =
    "00010203040506070809101112131415161718192021222324252627282930313233343536373839"
    "40414243444546474849505152535455565758596061626364656667686970717273747576777879"
    "8081828384858687888990919293949596979899";

void WritePair(char* at, std::uint32_t value) {
    std::memcpy(at, kDigitPairs + static_cast<size_t>(value) * 2, 2);
}

// The eight decimal digits of 0 <= value < 10^8, as four independent pairs.
void WriteEightDigits(char* at, std::uint32_t value) {
    const std::uint32_t high = value / 10000;
    const std::uint32_t low = value % 10000;
    WritePair(at, high / 100);
    WritePair(at + 2, high % 100);
    WritePair(at + 4, low / 100);
    WritePair(at + 6, low % 100);
}

// floor(log10(2^n)) for |n| < 1650.
int FloorLog10OfPowerOfTwo(int n) {
    return (n * 78913) >> 18;
}

// The bit widths of the powers of ten up to 10^38.
constexpr std::array<int, kMaxScale + 1> kScaleWidths = [] {
    std::array<int, kMaxScale + 1> widths{};
    for (size_t k = 0; k < widths.size(); ++k) {
        for (Uint128 v = kScales[k]; v != 0; v >>= 1) {
            ++widths[k];
        }
    }
    return widths;
}();

// Powers of ten from 10^-21 to 10^19 as doubles: comparing a value with them settles its decimal
// exponent before the product is formed, nearly always. Near a power of ten the comparison may be
// off by one; the range check of the digits catches that.
constexpr int kFirstDecade = -21;
constexpr double kDecades[] = {
    1e-21, 1e-20, 1e-19, 1e-18, 1e-17, 1e-16, 1e-15, 1e-14, 1e-13, 1e-12, 1e-11, 1e-10, 1e-9, 1e-8,
    1e-7,  1e-6,  1e-5,  1e-4,  1e-3,  1e-2,  1e-1,  1e0,   1e1,   1e2,   1e3,   1e4,   1e5,  1e6,
    1e7,   1e8,   1e9,   1e10,  1e11,  1e12,  1e13,  1e14,  1e15,  1e16,  1e17,  1e18,  1e19};
constexpr int kDecadeCount = static_cast<int>(sizeof(kDecades) / sizeof(kDecades[0]));

// floor(m * 2^e * 10^k) and whether the part cut off is below, at or above one half (-1, 0, 1);
// false when the product does not fit in 128 bits.
bool ScaledSignificand(std::uint64_t m, int e, int k, std::uint64_t& digits, int& half) {
    if (k < 0 || k > kMaxScale) {
        return false;
    }
    const Uint128 scale = kScales[static_cast<size_t>(k)];
    const int width = static_cast<int>(std::bit_width(m)) + kScaleWidths[static_cast<size_t>(k)] +
                      (e > 0 ? e : 0);
    if (width > 128 || e <= -128) {
        return false;
    }
    Uint128 product = static_cast<Uint128>(m) * scale;
    if (e >= 0) {
        product <<= e;
        half = -1;
    } else {
        const int shift = -e;
        const Uint128 cut = product & ((static_cast<Uint128>(1) << shift) - 1);
        const Uint128 oneHalf = static_cast<Uint128>(1) << (shift - 1);
        half = cut < oneHalf ? -1 : (cut == oneHalf ? 0 : 1);
        product >>= shift;
    }
    if (product >> 64 != 0) {
        return false;
    }
    digits = static_cast<std::uint64_t>(product);
    return true;
}

// Appends a zero or a finite normal `value` in %.17e with a three-digit exponent; false, with
// nothing appended, for a subnormal, a non-finite value or one whose scaled significand does not
// fit.
bool AppendScientific17Exact(std::string& out, double value) {
    const auto bits = std::bit_cast<std::uint64_t>(value);
    const int biased = static_cast<int>((bits >> 52) & 0x7ff);
    if ((bits << 1) == 0) {
        out.append((bits >> 63) != 0 ? "-0.00000000000000000e+000" : "0.00000000000000000e+000");
        return true;
    }
    if (biased == 0 || biased == 0x7ff) {
        return false;
    }
    std::uint64_t m = (bits & ((std::uint64_t{1} << 52) - 1)) | (std::uint64_t{1} << 52);
    int e = biased - 1075;
    const int trailing = std::countr_zero(m);
    m >>= trailing;
    e += trailing;
    // The decimal exponent is this estimate or one more.
    int exponent = FloorLog10OfPowerOfTwo(static_cast<int>(std::bit_width(m)) - 1 + e);
    const int next = exponent + 1 - kFirstDecade;
    if (next >= 0 && next < kDecadeCount && std::fabs(value) >= kDecades[next]) {
        ++exponent;
    }
    std::uint64_t digits = 0;
    int half = -1;
    if (!ScaledSignificand(m, e, 17 - exponent, digits, half)) {
        return false;
    }
    if (digits >= 10 * kLowestSignificand) {
        ++exponent;
        if (!ScaledSignificand(m, e, 17 - exponent, digits, half)) {
            return false;
        }
    }
    if (digits < kLowestSignificand || digits >= 10 * kLowestSignificand) {
        return false;
    }
    if (half > 0 || (half == 0 && (digits & 1) != 0)) {
        ++digits;
        if (digits == 10 * kLowestSignificand) {
            digits = kLowestSignificand;
            ++exponent;
        }
    }

    // -d.ddddddddddddddddde+ddd
    char text[32];
    char* p = text;
    if ((bits >> 63) != 0) {
        *p++ = '-';
    }
    // digits = high * 10^9 + low: the leading digit and eight, then nine more.
    const auto high = static_cast<std::uint32_t>(digits / 1000000000);
    const auto low = static_cast<std::uint32_t>(digits % 1000000000);
    *p++ = static_cast<char>('0' + high / 100000000);
    *p++ = '.';
    WriteEightDigits(p, high % 100000000);
    p[8] = static_cast<char>('0' + low / 100000000);
    WriteEightDigits(p + 9, low % 100000000);
    p += 17;
    *p++ = 'e';
    *p++ = exponent < 0 ? '-' : '+';
    const int magnitude = exponent < 0 ? -exponent : exponent;
    *p++ = static_cast<char>('0' + magnitude / 100);
    WritePair(p, static_cast<std::uint32_t>(magnitude % 100));
    p += 2;
    out.append(text, static_cast<size_t>(p - text));
    return true;
}

}  // namespace

void AppendFloat(std::string& out, double value, FloatFormat format) {
    if (AppendSpecial(out, value, format)) {
        return;
    }
    if (format == FloatFormat::General6 ? AppendFixedSingle(out, value)
                                        : AppendScientific17Exact(out, value)) {
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
