#include "mesh_test_support.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <sstream>

#include "mesh_export/expo_mesh.h"
#include "standalone/scene_document_io.h"
#include "standalone/standalone_host.h"

std::string ScratchPath(const std::string& name) {
    const testing::TestInfo* test = testing::UnitTest::GetInstance()->current_test_info();
    std::string prefix = "mesh_export";
    if (test != nullptr) {
        prefix = std::string(test->test_suite_name()) + "." + test->name();
    }
    // Inside the build folder, wherever the test runs from.
    const std::filesystem::path folder =
        std::filesystem::path(PELLUCID_BINARY).parent_path() / "tests" / "mesh_export_scratch";
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

pellucid::doc::Document SceneFromJson(const std::string& json) {
    return pellucid::standalone::ParseSceneDocument(json, PELLUCID_TEST_DATA "/scenes",
                                                    "inline.pscene.json");
}

MeshExport ExportMesh(const pellucid::doc::Document& document) {
    MeshExport result;
    const std::string path = ScratchPath("out.mef");
    std::filesystem::remove(path);
    pellucid::standalone::StandaloneHost host(document);
    host.SetEchoMessages(false);
    result.result = ExpoMesh().DoExport(path.c_str(), host.GetExpInterface(), &host);
    for (const auto& message : host.Messages()) {
        result.messages.push_back(message.caption + ": " + message.text);
    }
    result.bytes = ReadBytes(path);
    result.lines = ScriptLines(result.bytes);
    return result;
}

MeshExport ExportMeshJson(const std::string& json) {
    return ExportMesh(SceneFromJson(json));
}

std::vector<std::string> LinesStartingWith(const std::vector<std::string>& lines,
                                           const std::string& prefix) {
    std::vector<std::string> found;
    for (const std::string& line : lines) {
        if (line.compare(0, prefix.size(), prefix) == 0) {
            found.push_back(line);
        }
    }
    return found;
}
