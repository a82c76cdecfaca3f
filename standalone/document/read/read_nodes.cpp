// The node tree: indexed first (pre-order, ids, names, children) with a work list, so that a
// deep tree costs no stack, then each node's body.
#include <fmt/format.h>

#include "standalone/document/read/read_context.h"

namespace pellucid::standalone {

namespace {

constexpr std::string_view kNodeFields[] = {"id",         "name",     "object",        "modifiers",
                                            "material",   "hidden",   "selected",      "transform",
                                            "position",   "rotation", "scale",         "link",
                                            "visibility", "pivot",    "selectedFaces", "children"};
enum NodeField {
    kId,
    kName,
    kObject,
    kModifiers,
    kMaterial,
    kHidden,
    kSelected,
    kTransform,
    kPosition,
    kRotation,
    kScale,
    kLink,
    kVisibility,
    kPivot,
    kSelectedFaces,
    kChildren
};

constexpr std::string_view kLinkFields[] = {"target", "time"};
enum LinkField { kTarget, kTime };

}  // namespace

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
    const JsonPath& path = *source.path;
    doc::Node& node = document_.nodes[static_cast<std::size_t>(index)];
    ForEachField(
        source.element, path, kNodeFields, [&](int field, JsonElement v, const JsonPath& p) {
            switch (field) {
                case kId:
                case kName:
                case kChildren:
                    break;  // read with the tree
                case kObject:
                    node.object = ReadObjectReference(v, p, true);
                    break;
                case kModifiers:
                    node.modifiers.reserve(Array(v, p).size());
                    ForEachItem(v, p, [&](std::size_t, JsonElement item, const JsonPath& itemPath) {
                        node.modifiers.push_back(ReadModifierReference(item, itemPath));
                    });
                    break;
                case kMaterial:
                    node.material = ReadMaterialReference(v, p, true);
                    break;
                case kHidden:
                    node.hidden = Bool(v, p);
                    break;
                case kSelected:
                    node.selected = Bool(v, p);
                    break;
                case kTransform:
                    node.transform = ReadTransform(v, p);
                    break;
                case kPosition:
                    node.position = ReadPositionController(v, p);
                    break;
                case kRotation:
                    node.rotation = ReadRotationController(v, p);
                    break;
                case kScale:
                    node.scale = ReadScaleController(v, p);
                    break;
                case kLink:
                    ReadLink(v, p, node);
                    break;
                case kVisibility:
                    node.visibility = ReadFloatTrack(v, p);
                    break;
                case kPivot:
                    node.pivot = ReadPivot(v, p);
                    break;
                case kSelectedFaces:
                    ReadIndexArray(v, p, node.selectedFaces);
                    break;
            }
        });
}

void SceneDocumentReader::ReadLink(JsonElement value, const JsonPath& path, doc::Node& node) const {
    node.link.reserve(Array(value, path).size());
    ForEachItem(value, path, [&](std::size_t, JsonElement item, const JsonPath& itemPath) {
        doc::LinkTarget target;
        const std::uint64_t seen = ForEachField(item, itemPath, kLinkFields,
                                                [&](int field, JsonElement v, const JsonPath& p) {
                                                    if (field == kTarget) {
                                                        target.node = ReadNodeReference(v, p, true);
                                                    } else {
                                                        target.time = ReadTime(v, p);
                                                    }
                                                });
        Require(seen, kLinkFields, kTarget, itemPath);
        node.link.push_back(target);
    });
}

}  // namespace pellucid::standalone
