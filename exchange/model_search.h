// The search for a model's scene file in a directory tree.
#pragma once

#include <string>

// Searches the tree under `dir` for a file named `fileName`, ignoring letter case, taking the
// entries of each directory in listing order and entering a subdirectory as soon as it is
// listed; directories whose names begin with "." are never entered. On success `out` is the
// directory where the file lies, a backslash, and `fileName` as given. Paths longer than 1023
// characters are not searched: a subdirectory whose listing would need a longer path is passed
// over, and so is a match whose path would be longer.
bool FindModelFile(std::string& out, const std::string& dir, const std::string& fileName);
