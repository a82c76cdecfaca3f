#include "bone_test_support.h"

#include <gtest/gtest.h>

#include <cstdlib>

#include "bone_export/expo_bone.h"

namespace bone_test {

std::string ScratchPath(const std::string& name) {
    return pellucid::test::ScratchPath("bone_export", name);
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
    return pellucid::test::RunExport<ExpoBone>(document, ScratchPath("out.bef"));
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
