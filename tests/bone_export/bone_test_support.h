// Helpers of the bone exporter's tests: scenes from JSON text, live trees, exports into scratch
// files, and scripts read back as lines.
#pragma once

#include <memory>
#include <string>
#include <type_traits>
#include <vector>

#include "bone_export/bone_tree.h"
#include "support/script_exports.h"

namespace bone_test {

// A path in the test's working folder for a file named `name`, unique to the running test.
std::string ScratchPath(const std::string& name);
using pellucid::test::LinesStartingWith;
using pellucid::test::ReadBytes;
using pellucid::test::SceneFromJson;
using pellucid::test::ScriptLines;
// A document of the given nodes (the JSON of the root's children, without the brackets) and
// settings (the JSON object's fields, without the braces).
std::string SceneJson(const std::string& nodes, const std::string& settings = "");

// One field of each of the first `count` records, in order.
template <class Record, class Field>
auto EachOf(const std::vector<Record>& records, int count, Field field) {
    std::vector<std::decay_t<decltype(records[0].*field)>> values;
    for (int i = 0; i < count; ++i) {
        values.push_back(records[static_cast<size_t>(i)].*field);
    }
    return values;
}

// A live scene and the bone tree built from its root, as an exporter builds it.
class LiveTree {
  public:
    explicit LiveTree(const std::string& json);
    pellucid::standalone::StandaloneHost host;
    BoneTree& Tree() { return *tree_; }
    // The bone numbers' names in index order.
    std::vector<std::string> BoneNames();
    // Message boxes and assertion reports as "caption: text".
    std::vector<std::string> Messages() const;

  private:
    std::unique_ptr<BoneTree> tree_;
};

using BoneExport = pellucid::test::ScriptExport;

BoneExport ExportBones(const pellucid::doc::Document& document);
BoneExport ExportBonesJson(const std::string& json);

}  // namespace bone_test

namespace bone_test {

// The arguments of a script line "Command(a,b,c);" split on ","; the command is left out.
std::vector<std::string> LineArguments(const std::string& line);
// An argument read as a number.
double Number(const std::string& argument);

}  // namespace bone_test
