// Helpers of the mesh exporter's tests: scratch files, reading scripts back, and exporting a scene
// document through the stand-alone host.
#pragma once

#include <string>
#include <vector>

// A path in the test's working folder for a file named `name`.
std::string ScratchPath(const std::string& name);
// The whole file, or "" when it cannot be read.
std::string ReadBytes(const std::string& path);
// Splits a script on CR LF; fails the test on a bare line feed.
std::vector<std::string> ScriptLines(const std::string& bytes);
bool FileExists(const std::string& path);
