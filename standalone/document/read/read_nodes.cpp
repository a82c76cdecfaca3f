// The node tree: indexed first (pre-order, ids, names, children) with a work list, so that a
// deep tree costs no stack, then each node's body.
#include <fmt/format.h>

#include "standalone/document/read/read_described.h"

namespace pellucid::standalone {

void SceneDocumentReader::IndexNodeTree(JsonElement nodes, const JsonPath& path) {
    struct Pending {
        JsonElement element;
        const JsonPath* path;
        int parent;
    };
    std::vector<Pending> pending;
    std::vector<JsonElement> items;
    // Pushes the elements of an array in reverse, so that they are taken in order.
    auto pushItems = [&](JsonElement array, const JsonPath& arrayPath, int parent) {
        items.clear();
        for (JsonElement item : Array(array, arrayPath)) {
            items.push_back(item);
        }
        for (std::size_t i = items.size(); i-- > 0;) {
            pending.push_back({items[i], &nodePaths_.emplace_back(arrayPath.Item(i)), parent});
        }
    };
    pushItems(nodes, nodePaths_.emplace_back(path), -1);

    while (!pending.empty()) {
        const Pending next = pending.back();
        pending.pop_back();
        const int index = static_cast<int>(document_.nodes.size());
        document_.nodes.emplace_back();
        nodeSources_.push_back({next.element, next.path});
        if (next.parent < 0) {
            document_.rootNodes.push_back(index);
        } else {
            document_.nodes[static_cast<std::size_t>(next.parent)].children.push_back(index);
        }

        doc::Node& node = document_.nodes.back();
        bool hasName = false;
        JsonElement children;
        bool hasChildren = false;
        for (simdjson::dom::key_value_pair field : Object(next.element, *next.path)) {
            const JsonPath fieldPath = next.path->Field(field.key);
            if (field.key == "name") {
                node.name = String(field.value, fieldPath);
                hasName = true;
                const auto [found, added] =
                    nodeNames_.emplace(String(field.value, fieldPath), index);
                if (!added) {
                    found->second = kAmbiguousName;
                }
            } else if (field.key == "id") {
                const std::string_view id = String(field.value, fieldPath);
                if (id.empty()) {
                    Fail(fieldPath, "expected a non-empty id");
                }
                node.id = id;
                const auto [found, added] = nodeIds_.emplace(id, index);
                if (!added) {
                    Fail(
                        fieldPath,
                        fmt::format(
                            "duplicate node id \"{}\" (also at {})", id,
                            nodeSources_[static_cast<std::size_t>(found->second)].path->Pointer()));
                }
            } else if (field.key == "children") {
                Array(field.value, fieldPath);
                children = field.value;
                hasChildren = true;
            }
        }
        if (!hasName) {
            Fail(*next.path, "missing required field \"name\"");
        }
        if (hasChildren) {
            pushItems(children, nodePaths_.emplace_back(next.path->Field("children")), index);
        }
    }
}

void SceneDocumentReader::ReadNodeBody(int index) {
    const NodeSource source = nodeSources_[static_cast<std::size_t>(index)];
    ReadDescribed(*this, source.element, *source.path,
                  document_.nodes[static_cast<std::size_t>(index)]);
}

}  // namespace pellucid::standalone
