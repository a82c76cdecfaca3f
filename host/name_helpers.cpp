#include "host/name_helpers.h"

#include <algorithm>
#include <cstring>

namespace {

bool IsAsciiSpace(char c) {
    return c == ' ' || c == '\t' || c == '\n' || c == '\v' || c == '\f' || c == '\r';
}

}  // namespace

std::string UpperPrefix(const char* name, int count) {
    CStr prefix = CStr(name).Substr(0, count);
    prefix.toUpper();
    return prefix.str();
}

int NameNumber(const char* name, int start, int count) {
    const int length = name != nullptr ? static_cast<int>(std::strlen(name)) : 0;
    std::string digits;
    if (start >= 0 && start < length) {
        digits.assign(name + start, static_cast<size_t>(std::min(count, length - start)));
    }
    size_t i = 0;
    while (i < digits.size() && IsAsciiSpace(digits[i])) {
        ++i;
    }
    bool negative = false;
    if (i < digits.size() && (digits[i] == '+' || digits[i] == '-')) {
        negative = digits[i] == '-';
        ++i;
    }
    long value = 0;
    for (; i < digits.size() && digits[i] >= '0' && digits[i] <= '9'; ++i) {
        value = value * 10 + (digits[i] - '0');
    }
    return static_cast<int>(negative ? -value : value);
}

CStr& TrimTrailingSpace(CStr& name) {
    // isspace of the character as a signed char, limited to ASCII white space.
    while (name.Length() > 0 && IsAsciiSpace(name[name.Length() - 1])) {
        name.remove(name.Length() - 1, 1);
    }
    return name;
}

CStr AttachedObjectName(const char* nodeName) {
    const CStr name(nodeName);
    const int start = name[8] == '_' ? 9 : 10;
    CStr objectName = name.Substr(start, name.Length());
    TrimTrailingSpace(objectName);
    return objectName;
}
