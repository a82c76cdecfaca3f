#include "bone_test_support.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <sstream>

#include "bone_export/expo_bone.h"
#include "standalone/scene_document_io.h"

namespace bone_test {

std::string ScratchPath(const std::string& name) {
    const testing::TestInfo* test = testing::UnitTest::GetInstance()->current_test_info();
    std::string prefix = "bone_export";
    if (test != nullptr) {
        prefix = std::string(test->test_suite_name()) + "." + test->name();
    }
    const std::filesystem::path folder = std::filesystem::current_path() / "bone_export_scratch";
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
        std::string line = bytes.substr(start, end - start);
        EXPECT_EQ(line.find('\n'), std::string::npos) << "bare line feed in: " << line;
        lines.push_back(std::move(line));
        start = end + 2;
    }
    return lines;
}

std::vector<std::string> LinesStartingWith(const std::vector<std::string>& lines,
                                           const std::string& prefix) {
    std::vector<std::string> found;
    for (const std::string& line : lines) {
        if (line.rfind(prefix, 0) == 0) {
            found.push_back(line);
        }
    }
    return found;
}

pellucid::doc::Document SceneFromJson(const std::string& json) {
    return pellucid::standalone::ParseSceneDocument(json, PELLUCID_TEST_DATA "/scenes",
                                                    "inline.pscene.json");
}

std::string SceneJson(const std::string& nodes, const std::string& settings) {
    return R"({"pellucidScene": 1, "settings": {)" + settings + R"(}, "nodes": [)" + nodes + "]}";
}

LiveTree::LiveTree(const std::string& json) : host(SceneFromJson(json)) {
    host.SetEchoMessages(false);
    tree_ = std::make_unique<BoneTree>(host.GetRootNode(), &host);
}

std::vector<std::string> LiveTree::BoneNames() {
    std::vector<std::string> names;
    for (int i = 0; i < tree_->boneCount; ++i) {
        names.emplace_back(tree_->bones[static_cast<size_t>(i)].node->GetName());
    }
    return names;
}

std::vector<std::string> LiveTree::Messages() const {
    std::vector<std::string> messages;
    for (const auto& message : host.Messages()) {
        messages.push_back(message.caption + ": " + message.text);
    }
    return messages;
}

BoneExport ExportBones(const pellucid::doc::Document& document) {
    BoneExport result;
    const std::string path = ScratchPath("out.bef");
    std::filesystem::remove(path);
    pellucid::standalone::StandaloneHost host(document);
    host.SetEchoMessages(false);
    result.result = ExpoBone().DoExport(path.c_str(), host.GetExpInterface(), &host);
    for (const auto& message : host.Messages()) {
        result.messages.push_back(message.caption + ": " + message.text);
    }
    result.timeAfter = host.GetTime();
    result.fileExists = std::filesystem::exists(path);
    result.bytes = ReadBytes(path);
    result.lines = ScriptLines(result.bytes);
    return result;
}

BoneExport ExportBonesJson(const std::string& json) {
    return ExportBones(SceneFromJson(json));
}

}  // namespace bone_test

namespace bone_test {

std::vector<std::string> LineArguments(const std::string& line) {
    std::vector<std::string> arguments;
    const size_t open = line.find('(');
    const size_t close = line.rfind(");");
    if (open == std::string::npos || close == std::string::npos || close < open) {
        ADD_FAILURE() << "not a script call: " << line;
        return arguments;
    }
    std::string current;
    for (size_t i = open + 1; i < close; ++i) {
        if (line[i] == ',') {
            arguments.push_back(current);
            current.clear();
        } else {
            current += line[i];
        }
    }
    arguments.push_back(current);
    return arguments;
}

double Number(const std::string& argument) {
    char* end = nullptr;
    const double value = std::strtod(argument.c_str(), &end);
    EXPECT_TRUE(end != argument.c_str() && *end == '\0') << "not a number: " << argument;
    return value;
}

}  // namespace bone_test
