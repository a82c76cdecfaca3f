// The platform's directory listing over local folders, for the library's searches.
#pragma once

#include <string>
#include <vector>

#include "host/find_file.h"

namespace pellucid::standalone {

// The entries of the local folder that `localPattern` names ("models/*.*"): files and folders
// whose names match the last part of the pattern ("*" and "?" as wildcards, letter case ignored;
// "*.*" matches every name), sorted by name without regard to case, "." and ".." left out. An
// entry is a folder when it leads to one, through a symbolic link too. False when the folder
// cannot be read, and for a folder reached through a symbolic link that leads back to a folder
// the path has already passed through, so that a search cannot go round a loop for ever.
bool ListLocalDirectory(const std::string& localPattern, std::vector<WIN32_FIND_DATAA>& entries);

// The local path of an existing file or folder that `localPath` names without regard to letter
// case, as the original platform's file system found files: each part of the path that does not
// exist as written is taken as the first entry of its folder, in name order, whose name equals
// it ignoring case. The path as written when nothing matches.
std::string ResolveIgnoringCase(const std::string& localPath);

// Whether `name` matches `pattern`.
bool MatchesFindPattern(const std::string& name, const std::string& pattern);

}  // namespace pellucid::standalone
