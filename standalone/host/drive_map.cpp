#include "standalone/host/drive_map.h"

#include <algorithm>

namespace pellucid::standalone {

namespace {

char UpperAscii(char c) {
    return c >= 'a' && c <= 'z' ? static_cast<char>(c - 'a' + 'A') : c;
}

bool EqualIgnoringCase(const std::string& a, const std::string& b) {
    return a.size() == b.size() && std::equal(a.begin(), a.end(), b.begin(), [](char x, char y) {
               return UpperAscii(x) == UpperAscii(y);
           });
}

bool IsDriveLetter(char c) {
    return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z');
}

}  // namespace

std::vector<std::string> DriveRoots(const std::vector<doc::Drive>& drives) {
    std::vector<std::string> roots;
    roots.reserve(drives.size());
    for (const doc::Drive& drive : drives) {
        roots.push_back(drive.root);
    }
    return roots;
}

std::string DriveUniversalName(const std::vector<doc::Drive>& drives, const std::string& root) {
    for (const doc::Drive& drive : drives) {
        if (EqualIgnoringCase(drive.root, root)) {
            return drive.universalName;
        }
    }
    return "";
}

void DriveFolders::Map(char letter, std::string folder) {
    folders_[UpperAscii(letter)] = std::move(folder);
}

std::string DriveFolders::LocalPath(const std::string& platformPath) const {
    std::string rest = platformPath;
    std::string folder;
    const bool onDrive =
        platformPath.size() >= 2 && IsDriveLetter(platformPath[0]) && platformPath[1] == ':';
    if (onDrive) {
        const auto found = folders_.find(UpperAscii(platformPath[0]));
        if (found == folders_.end()) {
            return "";
        }
        folder = found->second;
        rest = platformPath.substr(2);
        rest.erase(0, rest.find_first_not_of("\\/") == std::string::npos
                          ? rest.size()
                          : rest.find_first_not_of("\\/"));
    }
    std::replace(rest.begin(), rest.end(), '\\', '/');
    if (!onDrive) {
        return rest;
    }
    while (folder.size() > 1 && folder.back() == '/') {
        folder.pop_back();
    }
    return rest.empty() ? folder : folder + "/" + rest;
}

}  // namespace pellucid::standalone
