// Fields read from the start of a line the way the C library's formatted input reads them:
// ordinary characters must match exactly, and a conversion first skips white space. Numbers are
// decimal: an optional sign, digits with an optional decimal point, an optional exponent.
#pragma once

#include <string>
#include <string_view>

class FieldScanner {
  public:
    explicit FieldScanner(std::string_view text) : text_(text) {}

    // Each answers whether the field was there and moves past it; a field that is not there
    // leaves `value` as it was.
    bool Literal(std::string_view expected);
    // A decimal integer, held within the int range.
    bool Int(int& value);
    bool Float(float& value);
    // A run of characters that are not white space.
    bool Token(std::string& value);

  private:
    void SkipSpace();
    // Moves past the decimal number at the start of the rest (with a fraction and an exponent
    // when `fraction` is set) and gives its text; false when there is none.
    bool Number(bool fraction, std::string& text);

    std::string_view text_;
    size_t at_ = 0;
};

// The decimal number at the start of `text` (the rest of it is ignored), 0 when it does not
// start with one; a number too large for a double gives an infinity of its sign.
double LeadingDecimal(std::string_view text);

// The characters that the C library counts as white space in the "C" locale.
bool IsSpace(char c);
