#include "host/cstr.h"

#include <cstdarg>
#include <cstdio>
#include <vector>

CStr& CStr::remove(int pos, int length) {
    if (pos < 0 || pos >= Length() || length <= 0) {
        return *this;
    }
    s_.erase(static_cast<size_t>(pos), static_cast<size_t>(length));
    return *this;
}

CStr CStr::Substr(int start, int count) const {
    if (start < 0 || start >= Length() || count <= 0) {
        return CStr();
    }
    return CStr(s_.substr(static_cast<size_t>(start), static_cast<size_t>(count)));
}

CStr& CStr::toUpper() {
    for (char& c : s_) {
        if (c >= 'a' && c <= 'z') {
            c = static_cast<char>(c - 'a' + 'A');
        }
    }
    return *this;
}

CStr& CStr::toLower() {
    for (char& c : s_) {
        if (c >= 'A' && c <= 'Z') {
            c = static_cast<char>(c - 'A' + 'a');
        }
    }
    return *this;
}

CStr& CStr::printf(const char* format, ...) {
    va_list args;
    va_start(args, format);
    va_list copy;
    va_copy(copy, args);
    const int n = std::vsnprintf(nullptr, 0, format, copy);
    va_end(copy);
    if (n < 0) {
        va_end(args);
        s_.clear();
        return *this;
    }
    std::vector<char> buffer(static_cast<size_t>(n) + 1);
    std::vsnprintf(buffer.data(), buffer.size(), format, args);
    va_end(args);
    s_.assign(buffer.data(), static_cast<size_t>(n));
    return *this;
}
