// Reading script files back in tests: scratch paths in the build folder, raw bytes, CR LF lines.
#pragma once

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>
#include <vector>

namespace pellucid::test {

// A file name for the running test inside the build folder's scratch folder of `area`.
inline std::string ScratchPath(const std::string& area, const std::string& name) {
    const testing::TestInfo* test = testing::UnitTest::GetInstance()->current_test_info();
    std::string prefix = area;
    if (test != nullptr) {
        prefix = std::string(test->test_suite_name()) + "." + test->name();
    }
    const std::filesystem::path folder =
        std::filesystem::path(PELLUCID_BINARY).parent_path() / "tests" / (area + "_scratch");
    std::filesystem::create_directories(folder);
    return (folder / (prefix + "." + name)).string();
}

inline std::string ReadBytes(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    std::ostringstream bytes;
    bytes << in.rdbuf();
    return bytes.str();
}

// The lines of a script; every line must end in CR LF and hold no bare line feed.
inline std::vector<std::string> ScriptLines(const std::string& bytes) {
    std::vector<std::string> lines;
    size_t start = 0;
    while (start < bytes.size()) {
        const size_t end = bytes.find("\r\n", start);
        if (end == std::string::npos) {
            ADD_FAILURE() << "script does not end in CR LF: " << bytes.substr(start);
            lines.push_back(bytes.substr(start));
            break;
        }
        std::string line = bytes.substr(start, end - start);
        EXPECT_EQ(line.find('\n'), std::string::npos) << "bare line feed in: " << line;
        lines.push_back(std::move(line));
        start = end + 2;
    }
    return lines;
}

}  // namespace pellucid::test
