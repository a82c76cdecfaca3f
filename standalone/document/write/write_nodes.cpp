// The node tree, written nested from the scene root's children; every node must be reached once.
#include <fmt/format.h>

#include "standalone/document/write/write_context.h"

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
    if (node.object != -1) {
        json_.Key("object");
        WriteObjectReference(node.object);
    }
    if (!node.modifiers.empty()) {
        json_.Key("modifiers");
        json_.BeginArray();
        for (int modifier : node.modifiers) {
            WriteModifierReference(modifier);
        }
        json_.EndArray();
    }
    if (node.material != -1) {
        json_.Key("material");
        WriteMaterialReference(node.material);
    }
    if (node.hidden) {
        json_.Key("hidden");
        json_.Bool(true);
    }
    if (node.selected) {
        json_.Key("selected");
        json_.Bool(true);
    }
    if (node.transform.fromParts || !SameBits(node.transform.matrix, Matrix3())) {
        json_.Key("transform");
        WriteTransform(node.transform);
    }
    if (node.position) {
        json_.Key("position");
        WriteController(*node.position);
    }
    if (node.rotation) {
        json_.Key("rotation");
        WriteController(*node.rotation);
    }
    if (node.scale) {
        json_.Key("scale");
        WriteController(*node.scale);
    }
    if (!node.link.empty()) {
        json_.Key("link");
        json_.BeginArray();
        for (const doc::LinkTarget& target : node.link) {
            json_.BeginObject();
            json_.Key("target");
            WriteNodeReference(target.node);
            json_.Key("time");
            json_.Int(target.time);
            json_.EndObject();
        }
        json_.EndArray();
    }
    if (node.visibility) {
        json_.Key("visibility");
        WriteFloatTrack(*node.visibility);
    }
    if (node.pivot) {
        json_.Key("pivot");
        WritePivot(*node.pivot);
    }
    if (!node.selectedFaces.empty()) {
        json_.Key("selectedFaces");
        json_.BeginInlineArray();
        for (int face : node.selectedFaces) {
            json_.Int(face);
        }
        json_.EndInlineArray();
    }
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
