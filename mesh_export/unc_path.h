// Rewrites a network path to the drive letter under which its share is mapped.
#pragma once

#include <string>

// For a path beginning with two backslashes or two forward slashes: the first logical drive (in the
// system's order) whose universal name begins the path, ignoring case, gives `result` = the drive
// root followed by the rest of the path. False, `result` untouched, when nothing matches.
bool UNCToDrivePath(const char* path, std::string& result);
