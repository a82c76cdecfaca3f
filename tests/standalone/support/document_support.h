// Reading documents from text and from the test data for the scene-document tests.
#pragma once

#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>
#include <string_view>
#include <vector>

#include "standalone/document/scene_document_io.h"
#include "support/script_files.h"

namespace pellucid::standalone::test {

inline std::string ScenesDirectory() {
    return std::string(PELLUCID_TEST_DATA) + "/scenes";
}

using pellucid::test::ReadBytes;

inline void WriteText(const std::string& path, std::string_view text) {
    std::ofstream out(path, std::ios::binary);
    out << text;
}

// A document given as text, read as if it were "test.pscene.json" in the test scenes folder.
// Every valid document of the tests and the examples, in name order.
inline std::vector<std::string> ValidDocuments() {
    std::vector<std::string> paths;
    for (const std::string& folder :
         {ScenesDirectory(), std::string(PELLUCID_SOURCE_DIR) + "/examples"}) {
        if (!std::filesystem::is_directory(folder)) {
            continue;
        }
        for (const auto& entry : std::filesystem::directory_iterator(folder)) {
            if (entry.path().filename().string().ends_with(".pscene.json")) {
                paths.push_back(entry.path().string());
            }
        }
    }
    std::sort(paths.begin(), paths.end());
    return paths;
}

inline doc::Document Parse(std::string_view json) {
    return ParseSceneDocument(json, ScenesDirectory(), "test.pscene.json");
}

// The one-line refusal of a document, or "accepted".
inline std::string RefusalOf(std::string_view json,
                             const std::string& baseDirectory = ScenesDirectory()) {
    try {
        ParseSceneDocument(json, baseDirectory, "test.pscene.json");
    } catch (const DocumentError& error) {
        return error.what();
    }
    return "accepted";
}

// A minimal document around one node body, e.g. R"("name": "A", "hidden": 1)".
inline std::string WithNode(std::string_view nodeFields) {
    return std::string(R"({"pellucidScene": 1, "nodes": [{)") + std::string(nodeFields) + "}]}";
}

// A fresh empty folder under the test temporary directory.
inline std::string FreshDirectory(const std::string& name) {
    const std::filesystem::path path = std::filesystem::path(::testing::TempDir()) / name;
    std::filesystem::remove_all(path);
    std::filesystem::create_directories(path);
    return path.string();
}

}  // namespace pellucid::standalone::test
