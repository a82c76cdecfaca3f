#include "cli/run_pellucid.h"

#include <sys/wait.h>
#include <unistd.h>

#include <cstdio>
#include <filesystem>
#include <fstream>

#include "support/script_files.h"

namespace pellucid::test {

namespace {

std::string Quote(const std::string& arg) {
    std::string quoted = "'";
    for (char c : arg) {
        if (c == '\'') {
            quoted.append("'\\''");
        } else {
            quoted.push_back(c);
        }
    }
    quoted.push_back('\'');
    return quoted;
}

}  // namespace

std::string TemporaryFolder(const std::string& name) {
    const auto folder = std::filesystem::temp_directory_path() / ("pellucid-cli-" + name);
    std::filesystem::remove_all(folder);
    std::filesystem::create_directories(folder);
    return folder.string();
}

std::string WriteScene(const std::string& folder, const std::string& json) {
    const std::string path = folder + "/scene.pscene.json";
    std::ofstream(path, std::ios::binary) << json;
    return path;
}

CommandResult RunPellucid(const std::vector<std::string>& args) {
    return RunPellucidAfter("", args);
}

CommandResult RunPellucidAfter(const std::string& setup, const std::vector<std::string>& args) {
    // One file per call: ctest runs several test processes at once.
    static int calls = 0;
    const std::string errPath = (std::filesystem::temp_directory_path() /
                                 ("pellucid-cli-stderr-" + std::to_string(::getpid()) + "-" +
                                  std::to_string(++calls) + ".txt"))
                                    .string();
    std::string command = setup.empty() ? "" : setup + "; ";
    command.append(Quote(PELLUCID_BINARY));
    for (const std::string& arg : args) {
        command.push_back(' ');
        command.append(Quote(arg));
    }
    command.append(" 2>");
    command.append(Quote(errPath));

    CommandResult result;
    FILE* pipe = popen(command.c_str(), "r");
    if (pipe == nullptr) {
        return result;
    }
    char buffer[4096];
    size_t n;
    while ((n = fread(buffer, 1, sizeof(buffer), pipe)) > 0) {
        result.out.append(buffer, n);
    }
    const int status = pclose(pipe);
    result.exitCode = WIFEXITED(status) ? WEXITSTATUS(status) : -1;
    result.err = ReadBytes(errPath);
    std::filesystem::remove(errPath);
    return result;
}

}  // namespace pellucid::test
