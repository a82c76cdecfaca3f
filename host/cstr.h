// The host's string: an 8-bit text with sub-strings, removal and ASCII case folding.
#pragma once

#include <string>

class CStr {
  public:
    CStr() = default;
    CStr(const char* s) : s_(s ? s : "") {}
    CStr(std::string s) : s_(std::move(s)) {}

    const char* data() const { return s_.c_str(); }
    operator const char*() const { return s_.c_str(); }
    const std::string& str() const { return s_; }
    int Length() const { return static_cast<int>(s_.size()); }
    bool isNull() const { return s_.empty(); }

    // Characters at or past the end read as the terminating zero.
    char operator[](int i) const {
        return i >= 0 && i < Length() ? s_[static_cast<size_t>(i)] : '\0';
    }

    // Removes the character at `pos`, or `length` characters from it.
    CStr& remove(int pos) { return remove(pos, Length() - pos); }
    CStr& remove(int pos, int length);
    // The characters from `start`, at most `count` of them; a start past the end gives "".
    CStr Substr(int start, int count) const;
    // ASCII upper case: only a to z change.
    CStr& toUpper();
    CStr& toLower();
    CStr& printf(const char* format, ...);

    CStr& operator=(const char* s) {
        s_ = s ? s : "";
        return *this;
    }
    CStr& operator+=(const CStr& s) {
        s_ += s.s_;
        return *this;
    }
    CStr& operator+=(const char* s) {
        s_ += s ? s : "";
        return *this;
    }
    CStr operator+(const CStr& s) const { return CStr(s_ + s.s_); }
    bool operator==(const CStr& s) const { return s_ == s.s_; }
    bool operator==(const char* s) const { return s_ == (s ? s : ""); }

  private:
    std::string s_;
};
