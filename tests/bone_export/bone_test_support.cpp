#include "bone_test_support.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <sstream>

#include "bone_export/expo_bone.h"
#include "standalone/document/scene_document_io.h"

namespace bone_test {

std::string ScratchPath(const std::string& name) {
    return pellucid::test::ScratchPath("bone_export", name);
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
