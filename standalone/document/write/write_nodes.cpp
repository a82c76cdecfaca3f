// The node tree, written nested from the scene root's children; every node must be reached once.
#include <fmt/format.h>

#include "standalone/document/write/write_described.h"

namespace pellucid::standalone {

void SceneDocumentWriter::WriteNodes() {
    const std::vector<doc::Node>& nodes = document_.nodes;
    if (!document_.rootNodes.empty()) {
        json_.Key("nodes");
        json_.BeginArray();
        for (int root : document_.rootNodes) {
            WriteNode(root);
        }
        json_.EndArray();
    }
    for (std::size_t i = 0; i < nodes.size(); ++i) {
        if (!nodeWritten_[i]) {
            throw JsonWriteError(
                "/nodes", fmt::format("node {} \"{}\" is not in the node tree", i, nodes[i].name));
        }
    }
}

void SceneDocumentWriter::WriteNode(int index) {
    CheckIndex(index, document_.nodes.size(), "node", false);
    if (nodeWritten_[static_cast<std::size_t>(index)]) {
        json_.Fail(fmt::format("node {} is in the node tree twice", index));
    }
    nodeWritten_[static_cast<std::size_t>(index)] = true;
    const doc::Node& node = document_.nodes[static_cast<std::size_t>(index)];

    json_.BeginObject();
    if (const std::string& id = nodeIds_[static_cast<std::size_t>(index)]; !id.empty()) {
        json_.Key("id");
        json_.String(id);
    }
    json_.Key("name");
    json_.String(node.name);
    WriteFieldTuple(node, kFieldsOf<doc::Node>, kEveryType);
    if (!node.children.empty()) {
        json_.Key("children");
        json_.BeginArray();
        for (int child : node.children) {
            WriteNode(child);
        }
        json_.EndArray();
    }
    json_.EndObject();
}

}  // namespace pellucid::standalone
