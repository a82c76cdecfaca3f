// Runs the pellucid program as a user would and captures what it prints.
#pragma once

#include <string>
#include <vector>

namespace pellucid::test {

struct CommandResult {
    int exitCode = -1;
    std::string out;
    std::string err;
};

CommandResult RunPellucid(const std::vector<std::string>& args);
// The same, after the shell command `setup` ("ulimit -f 1") in the shell that runs it.
CommandResult RunPellucidAfter(const std::string& setup, const std::vector<std::string>& args);

// A fresh, empty folder for one test.
std::string TemporaryFolder(const std::string& name);
// Writes `json` as scene.pscene.json in `folder`; its path.
std::string WriteScene(const std::string& folder, const std::string& json);

}  // namespace pellucid::test
