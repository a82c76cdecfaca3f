#include "standalone/document/json/json_syntax_error.h"

#include <cerrno>
#include <cmath>
#include <cstdint>
#include <cstdlib>
#include <vector>

#include <fmt/format.h>
#include <simdjson.h>

namespace pellucid::standalone {
namespace {

bool IsWhitespace(char c) {
    return c == ' ' || c == '\t' || c == '\n' || c == '\r';
}
bool IsDigit(char c) {
    return c >= '0' && c <= '9';
}
bool IsHexDigit(char c) {
    return IsDigit(c) || (c >= 'a' && c <= 'f') || (c >= 'A' && c <= 'F');
}

unsigned HexValue(std::string_view s) {
    unsigned v = 0;
    for (char c : s) {
        v = v * 16 + static_cast<unsigned>(IsDigit(c) ? c - '0' : (c | 0x20) - 'a' + 10);
    }
    return v;
}

// A scanner over the text with one position; each Scan... either consumes a whole token or
// records the first error.
class Scanner {
  public:
    Scanner(std::string_view text, std::size_t maxDepth) : text_(text), maxDepth_(maxDepth) {}

    std::optional<JsonSyntaxError> Run();

  private:
    bool Fail(std::size_t offset, std::string message) {
        error_ = JsonSyntaxError{offset, std::move(message)};
        return false;
    }
    bool AtEnd() const { return pos_ >= text_.size(); }
    void SkipWhitespace() {
        while (!AtEnd() && IsWhitespace(text_[pos_])) {
            ++pos_;
        }
    }
    bool ScanString();
    bool ScanEscape();
    bool ScanUtf8();
    bool ScanNumber();
    bool ScanLiteral(std::string_view word);
    bool ScanScalar();

    std::string_view text_;
    std::size_t maxDepth_;
    std::size_t pos_ = 0;
    std::optional<JsonSyntaxError> error_;
};

bool Scanner::ScanEscape() {
    // pos_ is at the backslash.
    const std::size_t start = pos_;
    if (pos_ + 1 >= text_.size()) {
        return Fail(start, "unclosed string");
    }
    const char c = text_[pos_ + 1];
    if (c != 'u') {
        if (std::string_view("\"\\/bfnrt").find(c) == std::string_view::npos) {
            return Fail(start, "invalid escape sequence in a string");
        }
        pos_ += 2;
        return true;
    }
    auto readUnit = [&](std::size_t at, unsigned& unit) {
        if (at + 6 > text_.size() || text_[at] != '\\' || text_[at + 1] != 'u') {
            return false;
        }
        for (std::size_t i = at + 2; i < at + 6; ++i) {
            if (!IsHexDigit(text_[i])) {
                return false;
            }
        }
        unit = HexValue(text_.substr(at + 2, 4));
        return true;
    };
    unsigned unit = 0;
    if (!readUnit(pos_, unit)) {
        return Fail(start, "invalid \\u escape in a string");
    }
    pos_ += 6;
    if (unit >= 0xDC00 && unit <= 0xDFFF) {
        return Fail(start, "unpaired surrogate in a \\u escape");
    }
    if (unit >= 0xD800 && unit <= 0xDBFF) {
        unsigned low = 0;
        if (!readUnit(pos_, low) || low < 0xDC00 || low > 0xDFFF) {
            return Fail(start, "unpaired surrogate in a \\u escape");
        }
        pos_ += 6;
    }
    return true;
}

bool Scanner::ScanUtf8() {
    // pos_ is at a byte of 0x80 or more: one sequence, as long as its lead byte says, checked by
    // the parser's own validator (a stray continuation byte counts as a sequence of one).
    const auto lead = static_cast<std::uint8_t>(text_[pos_]);
    const std::size_t length = lead >= 0xF0 ? 4 : lead >= 0xE0 ? 3 : lead >= 0xC0 ? 2 : 1;
    if (pos_ + length > text_.size() || !simdjson::validate_utf8(text_.data() + pos_, length)) {
        return Fail(pos_, "invalid UTF-8");
    }
    pos_ += length;
    return true;
}

bool Scanner::ScanString() {
    // pos_ is at the opening quote.
    const std::size_t start = pos_;
    ++pos_;
    while (true) {
        if (AtEnd()) {
            return Fail(start, "unclosed string");
        }
        const char c = text_[pos_];
        if (c == '"') {
            ++pos_;
            return true;
        }
        if (c == '\\') {
            if (!ScanEscape()) {
                return false;
            }
        } else if (static_cast<std::uint8_t>(c) < 0x20) {
            return Fail(pos_, "control character in a string");
        } else if (static_cast<std::uint8_t>(c) >= 0x80) {
            if (!ScanUtf8()) {
                return false;
            }
        } else {
            ++pos_;
        }
    }
}

bool Scanner::ScanNumber() {
    const std::size_t start = pos_;
    auto digits = [&] {
        const std::size_t from = pos_;
        while (!AtEnd() && IsDigit(text_[pos_])) {
            ++pos_;
        }
        return pos_ - from;
    };
    if (text_[pos_] == '-') {
        ++pos_;
    }
    if (AtEnd() || !IsDigit(text_[pos_])) {
        return Fail(start, "malformed number");
    }
    if (text_[pos_] == '0') {
        ++pos_;
        if (!AtEnd() && IsDigit(text_[pos_])) {
            return Fail(start, "malformed number (leading zero)");
        }
    } else {
        digits();
    }
    bool integer = true;
    if (!AtEnd() && text_[pos_] == '.') {
        ++pos_;
        integer = false;
        if (digits() == 0) {
            return Fail(start, "malformed number");
        }
    }
    if (!AtEnd() && (text_[pos_] == 'e' || text_[pos_] == 'E')) {
        ++pos_;
        integer = false;
        if (!AtEnd() && (text_[pos_] == '+' || text_[pos_] == '-')) {
            ++pos_;
        }
        if (digits() == 0) {
            return Fail(start, "malformed number");
        }
    }
    const std::string token(text_.substr(start, pos_ - start));
    errno = 0;
    if (integer) {
        if (token[0] == '-') {
            static_cast<void>(std::strtoll(token.c_str(), nullptr, 10));
        } else {
            static_cast<void>(std::strtoull(token.c_str(), nullptr, 10));
        }
        if (errno == ERANGE) {
            return Fail(start, "integer out of the 64-bit range");
        }
    } else {
        if (std::isinf(std::strtod(token.c_str(), nullptr))) {
            return Fail(start, "number out of range");
        }
    }
    return true;
}

bool Scanner::ScanLiteral(std::string_view word) {
    if (text_.substr(pos_, word.size()) != word) {
        return Fail(pos_, "invalid literal (expected true, false or null)");
    }
    pos_ += word.size();
    return true;
}

bool Scanner::ScanScalar() {
    const char c = text_[pos_];
    if (c == '"') {
        return ScanString();
    }
    if (c == '-' || IsDigit(c)) {
        return ScanNumber();
    }
    if (c == 't') {
        return ScanLiteral("true");
    }
    if (c == 'f') {
        return ScanLiteral("false");
    }
    if (c == 'n') {
        return ScanLiteral("null");
    }
    return Fail(pos_, "expected a value");
}

std::optional<JsonSyntaxError> Scanner::Run() {
    // Open containers, innermost last: '[' or '{'.
    std::vector<char> open;
    enum class Expect { Value, ValueOrClose, KeyOrClose, Key, Colon, CommaOrClose };
    Expect expect = Expect::Value;
    SkipWhitespace();
    if (AtEnd()) {
        Fail(pos_, "the document is empty");
        return error_;
    }
    while (true) {
        SkipWhitespace();
        if (AtEnd()) {
            if (open.empty() && expect == Expect::CommaOrClose) {
                return std::nullopt;
            }
            Fail(pos_, "unexpected end of the document");
            return error_;
        }
        const char c = text_[pos_];
        // A bracket that closes the innermost array or object, where one may: right after it
        // opens, or after one of its values.
        const bool mayClose = expect == Expect::ValueOrClose || expect == Expect::KeyOrClose ||
                              (expect == Expect::CommaOrClose && !open.empty());
        if (mayClose && c == (open.back() == '[' ? ']' : '}')) {
            ++pos_;
            open.pop_back();
            expect = Expect::CommaOrClose;
            continue;
        }
        switch (expect) {
            case Expect::Value:
            case Expect::ValueOrClose:
                if (c != '[' && c != '{') {
                    if (!ScanScalar()) {
                        return error_;
                    }
                    expect = Expect::CommaOrClose;
                    break;
                }
                if (open.size() >= maxDepth_) {
                    Fail(pos_, fmt::format("nested more deeply than {} levels", maxDepth_));
                    return error_;
                }
                open.push_back(c);
                ++pos_;
                expect = c == '[' ? Expect::ValueOrClose : Expect::KeyOrClose;
                break;
            case Expect::KeyOrClose:
            case Expect::Key:
                if (c != '"') {
                    Fail(pos_, "expected a field name in double quotes");
                    return error_;
                }
                if (!ScanString()) {
                    return error_;
                }
                expect = Expect::Colon;
                break;
            case Expect::Colon:
                if (c != ':') {
                    Fail(pos_, "expected ':' after the field name");
                    return error_;
                }
                ++pos_;
                expect = Expect::Value;
                break;
            case Expect::CommaOrClose:
                if (open.empty()) {
                    Fail(pos_, "unexpected text after the document");
                    return error_;
                }
                if (c == ',') {
                    ++pos_;
                    expect = open.back() == '[' ? Expect::Value : Expect::Key;
                } else {
                    Fail(pos_, open.back() == '[' ? "expected ',' or ']'" : "expected ',' or '}'");
                    return error_;
                }
                break;
        }
    }
}

}  // namespace

std::optional<JsonSyntaxError> FindJsonSyntaxError(std::string_view text, std::size_t maxDepth) {
    return Scanner(text, maxDepth).Run();
}

TextPosition PositionOfOffset(std::string_view text, std::size_t offset) {
    TextPosition position;
    const std::size_t end = offset < text.size() ? offset : text.size();
    for (std::size_t i = 0; i < end; ++i) {
        if (text[i] == '\n') {
            ++position.line;
            position.column = 1;
        } else {
            ++position.column;
        }
    }
    return position;
}

}  // namespace pellucid::standalone
