#include "mesh_export/unc_path.h"

#include <cstring>
#include <vector>

#include "host/interface.h"

namespace {

char AsciiLower(char c) {
    return c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c;
}

// Compares the first b.size() characters of `a` (which holds at least that many) with `b`.
bool EqualIgnoringCase(const char* a, const std::string& b) {
    for (size_t i = 0; i < b.size(); ++i) {
        if (AsciiLower(a[i]) != AsciiLower(b[i])) {
            return false;
        }
    }
    return true;
}

// The drive roots of the zero-separated list that the system gives.
std::vector<std::string> LogicalDrives() {
    const DWORD needed = GetLogicalDriveStringsA(0, nullptr);
    std::vector<char> buffer(static_cast<size_t>(needed) + 1, '\0');
    const DWORD written = GetLogicalDriveStringsA(static_cast<DWORD>(buffer.size()), buffer.data());
    std::vector<std::string> roots;
    if (written == 0 || written >= buffer.size()) {
        return roots;
    }
    for (size_t i = 0; i < written && buffer[i] != '\0';) {
        std::string root(buffer.data() + i);
        i += root.size() + 1;
        roots.push_back(std::move(root));
    }
    return roots;
}

}  // namespace

bool UNCToDrivePath(const char* path, std::string& result) {
    if (path == nullptr) {
        return false;
    }
    const size_t length = std::strlen(path);
    const bool networkPath =
        (path[0] == '\\' && path[1] == '\\') || (path[0] == '/' && path[1] == '/');
    if (length < 5 || !networkPath) {
        return false;
    }
    for (const std::string& root : LogicalDrives()) {
        const std::string universal = GetUniversalName(root.c_str());
        if (universal.empty() || universal.size() > length) {
            continue;
        }
        if (EqualIgnoringCase(path, universal)) {
            result = root + (path + universal.size());
            return true;
        }
    }
    return false;
}
