#include "exchange/model_search.h"

#include <vector>

#include "exchange/qmo_reader.h"
#include "host/find_file.h"

namespace {

bool EqualIgnoringCase(const std::string& a, const std::string& b) {
    if (a.size() != b.size()) {
        return false;
    }
    auto upper = [](char c) { return c >= 'a' && c <= 'z' ? static_cast<char>(c - 'a' + 'A') : c; };
    for (size_t i = 0; i < a.size(); ++i) {
        if (upper(a[i]) != upper(b[i])) {
            return false;
        }
    }
    return true;
}

// A directory whose entries are being walked, and the length of its path with the backslash.
struct OpenDirectory {
    HANDLE find;
    size_t length;
};

}  // namespace

// Depth first with a list of open listings rather than recursion; the order of the walk is that
// of the recursive search, entry by entry.
bool FindModelFile(std::string& out, const std::string& dir, const std::string& fileName) {
    std::string path = dir + "\\";
    std::vector<OpenDirectory> open;
    WIN32_FIND_DATAA entry;
    auto enter = [&]() {
        const std::string pattern = path + "*.*";
        if (pattern.size() > kQmoPathLimit) {
            return false;
        }
        HANDLE find = FindFirstFileA(pattern.c_str(), &entry);
        if (find == INVALID_HANDLE_VALUE) {
            return false;
        }
        open.push_back({find, path.size()});
        return true;
    };
    auto closeAll = [&]() {
        for (const OpenDirectory& directory : open) {
            FindClose(directory.find);
        }
    };
    if (!enter()) {
        return false;
    }
    // `entry` holds the next entry of the innermost open directory.
    while (true) {
        const bool isDirectory = (entry.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) != 0;
        if (!isDirectory) {
            if (EqualIgnoringCase(entry.cFileName, fileName) &&
                path.size() + fileName.size() <= kQmoPathLimit) {
                out = path + fileName;
                closeAll();
                return true;
            }
        } else if (!entry.cFileName.empty() && entry.cFileName[0] != '.') {
            path += entry.cFileName;
            path += '\\';
            if (enter()) {
                continue;
            }
            path.resize(open.back().length);
        }
        while (!FindNextFileA(open.back().find, &entry)) {
            FindClose(open.back().find);
            open.pop_back();
            if (open.empty()) {
                return false;
            }
            path.resize(open.back().length);
        }
    }
}
