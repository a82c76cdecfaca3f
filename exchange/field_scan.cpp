#include "exchange/field_scan.h"

#include <climits>
#include <cstdlib>

bool IsSpace(char c) {
    return c == ' ' || c == '\t' || c == '\n' || c == '\v' || c == '\f' || c == '\r';
}

namespace {

bool IsDigit(char c) {
    return c >= '0' && c <= '9';
}

// The length of a decimal number at the start of `text`: sign, digits, and when `fraction` is
// set a decimal point with more digits and an exponent. At least one digit, or 0.
size_t DecimalLength(std::string_view text, bool fraction) {
    size_t at = 0;
    if (at < text.size() && (text[at] == '+' || text[at] == '-')) {
        ++at;
    }
    size_t digits = 0;
    while (at < text.size() && IsDigit(text[at])) {
        ++at;
        ++digits;
    }
    if (fraction && at < text.size() && text[at] == '.') {
        ++at;
        while (at < text.size() && IsDigit(text[at])) {
            ++at;
            ++digits;
        }
    }
    if (digits == 0) {
        return 0;
    }
    if (fraction && at < text.size() && (text[at] == 'e' || text[at] == 'E')) {
        size_t exponent = at + 1;
        if (exponent < text.size() && (text[exponent] == '+' || text[exponent] == '-')) {
            ++exponent;
        }
        if (exponent < text.size() && IsDigit(text[exponent])) {
            while (exponent < text.size() && IsDigit(text[exponent])) {
                ++exponent;
            }
            at = exponent;
        }
    }
    return at;
}

}  // namespace

void FieldScanner::SkipSpace() {
    while (at_ < text_.size() && IsSpace(text_[at_])) {
        ++at_;
    }
}

bool FieldScanner::Literal(std::string_view expected) {
    if (text_.substr(at_, expected.size()) != expected) {
        return false;
    }
    at_ += expected.size();
    return true;
}

bool FieldScanner::Int(int& value) {
    std::string digits;
    if (!Number(false, digits)) {
        return false;
    }
    const long long wide = std::strtoll(digits.c_str(), nullptr, 10);
    value = wide > INT_MAX ? INT_MAX : (wide < INT_MIN ? INT_MIN : static_cast<int>(wide));
    return true;
}

bool FieldScanner::Float(float& value) {
    std::string number;
    if (!Number(true, number)) {
        return false;
    }
    value = std::strtof(number.c_str(), nullptr);
    return true;
}

// The text is copied: the C library's conversions need the terminator that a view lacks.
bool FieldScanner::Number(bool fraction, std::string& text) {
    SkipSpace();
    const size_t length = DecimalLength(text_.substr(at_), fraction);
    if (length == 0) {
        return false;
    }
    text.assign(text_.substr(at_, length));
    at_ += length;
    return true;
}

bool FieldScanner::Token(std::string& value) {
    SkipSpace();
    const size_t start = at_;
    while (at_ < text_.size() && !IsSpace(text_[at_])) {
        ++at_;
    }
    if (at_ == start) {
        return false;
    }
    value.assign(text_.substr(start, at_ - start));
    return true;
}

double LeadingDecimal(std::string_view text) {
    const size_t length = DecimalLength(text, true);
    if (length == 0) {
        return 0.0;
    }
    const std::string number(text.substr(0, length));
    return std::strtod(number.c_str(), nullptr);
}
