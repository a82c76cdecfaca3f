#include "standalone/import/directory_listing.h"

#include <algorithm>
#include <filesystem>
#include <system_error>

namespace fs = std::filesystem;

namespace pellucid::standalone {

namespace {

char Upper(char c) {
    return c >= 'a' && c <= 'z' ? static_cast<char>(c - 'a' + 'A') : c;
}

bool EqualIgnoringCase(const std::string& a, const std::string& b) {
    return a.size() == b.size() && std::equal(a.begin(), a.end(), b.begin(),
                                              [](char x, char y) { return Upper(x) == Upper(y); });
}

// Names that differ only by letter case keep their byte order. Bytes compare unsigned, as the
// strings' own comparison does; nothing is copied, since a listing's sort compares often.
bool LessIgnoringCase(const std::string& a, const std::string& b) {
    const auto upperLess = [](char x, char y) {
        return static_cast<unsigned char>(Upper(x)) < static_cast<unsigned char>(Upper(y));
    };
    if (std::lexicographical_compare(a.begin(), a.end(), b.begin(), b.end(), upperLess)) {
        return true;
    }
    if (std::lexicographical_compare(b.begin(), b.end(), a.begin(), a.end(), upperLess)) {
        return false;
    }
    return a < b;
}

// Whether the folder is one of the folders that its own path passes through, reached again
// through a symbolic link.
bool ClosesALoop(const fs::path& folder) {
    std::error_code ec;
    const fs::path real = fs::canonical(folder, ec);
    if (ec) {
        return false;
    }
    fs::path prefix;
    // Lexically normal, so that a ".." of the path as written is a step back, not a loop.
    fs::path absolute = fs::absolute(folder, ec).lexically_normal();
    if (!absolute.has_filename()) {
        absolute = absolute.parent_path();
    }
    for (auto part = absolute.begin(); part != absolute.end(); ++part) {
        prefix /= *part;
        if (prefix == absolute) {
            break;
        }
        std::error_code partError;
        if (fs::canonical(prefix, partError) == real && !partError) {
            return true;
        }
    }
    return false;
}

}  // namespace

bool MatchesFindPattern(const std::string& name, const std::string& pattern) {
    if (pattern == "*" || pattern == "*.*") {
        return true;
    }
    // Iterative wildcard match with one back-tracking point, the usual way.
    size_t n = 0, p = 0, starAt = std::string::npos, resumeAt = 0;
    while (n < name.size()) {
        if (p < pattern.size() && (pattern[p] == '?' || Upper(pattern[p]) == Upper(name[n]))) {
            ++n;
            ++p;
        } else if (p < pattern.size() && pattern[p] == '*') {
            starAt = p++;
            resumeAt = n;
        } else if (starAt != std::string::npos) {
            p = starAt + 1;
            n = ++resumeAt;
        } else {
            return false;
        }
    }
    while (p < pattern.size() && pattern[p] == '*') {
        ++p;
    }
    return p == pattern.size();
}

std::string ResolveIgnoringCase(const std::string& localPath) {
    std::error_code ec;
    const fs::path given(localPath);
    if (localPath.empty() || fs::exists(given, ec)) {
        return localPath;
    }
    fs::path resolved = given.root_path();
    for (const fs::path& part : given.relative_path()) {
        const fs::path next = resolved / part;
        if (part.empty() || part == "." || part == ".." || fs::exists(next, ec)) {
            resolved = next;
            continue;
        }
        std::vector<WIN32_FIND_DATAA> entries;
        const std::string folder = resolved.empty() ? std::string(".") : resolved.string();
        if (!ListLocalDirectory(folder + "/*", entries)) {
            return localPath;
        }
        const auto match = std::find_if(entries.begin(), entries.end(), [&](const auto& entry) {
            return EqualIgnoringCase(entry.cFileName, part.string());
        });
        if (match == entries.end()) {
            return localPath;
        }
        resolved /= match->cFileName;
    }
    return resolved.string();
}

bool ListLocalDirectory(const std::string& localPattern, std::vector<WIN32_FIND_DATAA>& entries) {
    const size_t slash = localPattern.find_last_of('/');
    const fs::path folder = slash == std::string::npos ? fs::path(".")
                            : slash == 0               ? fs::path("/")
                                                       : fs::path(localPattern.substr(0, slash));
    const std::string pattern =
        slash == std::string::npos ? localPattern : localPattern.substr(slash + 1);
    std::error_code ec;
    fs::directory_iterator it(folder, ec);
    if (ec || ClosesALoop(folder)) {
        return false;
    }
    std::vector<WIN32_FIND_DATAA> found;
    for (; it != fs::directory_iterator(); it.increment(ec)) {
        if (ec) {
            return false;
        }
        WIN32_FIND_DATAA entry;
        entry.cFileName = it->path().filename().string();
        if (!MatchesFindPattern(entry.cFileName, pattern)) {
            continue;
        }
        std::error_code kindError;
        if (it->is_directory(kindError)) {
            entry.dwFileAttributes = FILE_ATTRIBUTE_DIRECTORY;
        }
        found.push_back(std::move(entry));
    }
    std::sort(found.begin(), found.end(), [](const WIN32_FIND_DATAA& a, const WIN32_FIND_DATAA& b) {
        return LessIgnoringCase(a.cFileName, b.cFileName);
    });
    entries = std::move(found);
    return true;
}

}  // namespace pellucid::standalone
