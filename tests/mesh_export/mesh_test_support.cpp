#include "mesh_test_support.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <sstream>

std::string ScratchPath(const std::string& name) {
    const testing::TestInfo* test = testing::UnitTest::GetInstance()->current_test_info();
    std::string prefix = "mesh_export";
    if (test != nullptr) {
        prefix = std::string(test->test_suite_name()) + "." + test->name();
    }
    const std::filesystem::path folder = std::filesystem::current_path() / "mesh_export_scratch";
    std::filesystem::create_directories(folder);
    return (folder / (prefix + "." + name)).string();
}

std::string ReadBytes(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    std::ostringstream bytes;
    bytes << in.rdbuf();
    return bytes.str();
}

std::vector<std::string> ScriptLines(const std::string& bytes) {
    std::vector<std::string> lines;
    size_t start = 0;
    while (start < bytes.size()) {
        const size_t end = bytes.find("\r\n", start);
        if (end == std::string::npos) {
            ADD_FAILURE() << "script does not end in CR LF: " << bytes.substr(start);
            lines.push_back(bytes.substr(start));
            break;
        }
        const std::string line = bytes.substr(start, end - start);
        EXPECT_EQ(line.find('\n'), std::string::npos) << "bare line feed in: " << line;
        lines.push_back(line);
        start = end + 2;
    }
    return lines;
}

bool FileExists(const std::string& path) {
    return std::filesystem::exists(path);
}
