// Ids of the shared lists and references to them, to nodes, and to entries written in place.
#include <fmt/format.h>

#include "standalone/document/json/nearest_name.h"
#include "standalone/document/read/read_context.h"

namespace pellucid::standalone {

using simdjson::dom::element_type;

void SceneDocumentReader::IndexSharedIds(SharedList& list, const JsonPath& path,
                                         std::string_view kind) {
    if (!list.present) {
        return;
    }
    list.ids.reserve(Array(list.array, path).size());
    ForEachItem(list.array, path, [&](std::size_t index, JsonElement item, const JsonPath& p) {
        Object(item, p);
        JsonElement idValue;
        if (!FindField(item, "id", idValue)) {
            Fail(p, fmt::format("missing required field \"id\" (every entry of {} has one)",
                                path.Pointer()));
        }
        const JsonPath idPath = p.Field("id");
        const std::string_view id = String(idValue, idPath);
        if (id.empty()) {
            Fail(idPath, "expected a non-empty id");
        }
        const auto [found, added] = list.ids.emplace(id, static_cast<int>(index));
        if (!added) {
            Fail(idPath, fmt::format("duplicate {} id \"{}\" (also at {})", kind, id,
                                     path.Item(static_cast<std::size_t>(found->second)).Pointer()));
        }
    });
}

int SceneDocumentReader::Lookup(const SharedList& list, std::string_view id, const JsonPath& path,
                                std::string_view kind) const {
    const auto found = list.ids.find(id);
    if (found == list.ids.end()) {
        // Offered in list order, so that ties go to the first entry.
        NearestName nearest(id);
        if (list.present) {
            const simdjson::dom::array items = list.array.get_array().value_unsafe();
            for (JsonElement item : items) {
                JsonElement known;
                FindField(item, "id", known);
                nearest.Offer(known.get_string().value_unsafe());
            }
        }
        Fail(path, fmt::format("unknown {} id \"{}\"{}", kind, id, nearest.Hint()));
    }
    return found->second;
}

namespace {

// A reference of one kind: null, an id string, or an entry written in place.
template <typename Entry, typename ReadEntry>
int ReadReference(const JsonReader& reader, JsonElement value, const JsonPath& path, bool allowNull,
                  std::string_view kind, std::vector<Entry>& list, ReadEntry readEntry,
                  auto lookup) {
    switch (value.type()) {
        case element_type::NULL_VALUE:
            if (!allowNull) {
                reader.Fail(path, fmt::format("expected a {} id or a {}, found null", kind, kind));
            }
            return -1;
        case element_type::STRING:
            return lookup(value.get_string().value_unsafe());
        case element_type::OBJECT: {
            Entry entry = readEntry();
            list.push_back(std::move(entry));
            return static_cast<int>(list.size() - 1);
        }
        default:
            reader.Fail(path, fmt::format("expected a {} id or a {}, found {}", kind, kind,
                                          DescribeJsonType(value)));
    }
}

}  // namespace

int SceneDocumentReader::ReadMaterialReference(JsonElement value, const JsonPath& path,
                                               bool allowNull) {
    return ReadReference(
        *this, value, path, allowNull, "material", document_.materials,
        [&] { return ReadMaterial(value, path, false); },
        [&](std::string_view id) { return Lookup(materials_, id, path, "material"); });
}

int SceneDocumentReader::ReadMapReference(JsonElement value, const JsonPath& path, bool allowNull) {
    return ReadReference(
        *this, value, path, allowNull, "map", document_.maps,
        [&] { return ReadMap(value, path, false); },
        [&](std::string_view id) { return Lookup(maps_, id, path, "map"); });
}

int SceneDocumentReader::ReadObjectReference(JsonElement value, const JsonPath& path,
                                             bool allowNull) {
    return ReadReference(
        *this, value, path, allowNull, "object", document_.objects,
        [&] { return ReadObject(value, path, false); },
        [&](std::string_view id) { return Lookup(objects_, id, path, "object"); });
}

int SceneDocumentReader::ReadModifierReference(JsonElement value, const JsonPath& path) {
    return ReadReference(
        *this, value, path, false, "modifier", document_.modifiers,
        [&] { return ReadModifier(value, path, false); },
        [&](std::string_view id) { return Lookup(modifiers_, id, path, "modifier"); });
}

int SceneDocumentReader::ReadNodeReference(JsonElement value, const JsonPath& path,
                                           bool allowNull) const {
    if (value.type() == element_type::NULL_VALUE && allowNull) {
        return -1;
    }
    if (value.type() != element_type::STRING) {
        Fail(path, fmt::format("expected a node id or name, found {}", DescribeJsonType(value)));
    }
    return ResolveNodeReference(value.get_string().value_unsafe(), path);
}

std::string SceneDocumentReader::NearestNode(std::string_view reference) const {
    // Offered in tree order, ids before names, so that ties go to the first node.
    NearestName nearest(reference);
    for (const NodeSource& source : nodeSources_) {
        JsonElement value;
        for (std::string_view field : {"id", "name"}) {
            if (FindField(source.element, field, value) && value.type() == element_type::STRING) {
                nearest.Offer(value.get_string().value_unsafe());
            }
        }
    }
    return std::string(nearest.Best());
}

int SceneDocumentReader::ResolveNodeReference(std::string_view reference,
                                              const JsonPath& path) const {
    if (const auto byId = nodeIds_.find(reference); byId != nodeIds_.end()) {
        return byId->second;
    }
    const auto byName = nodeNames_.find(reference);
    if (byName == nodeNames_.end()) {
        const std::string nearest = NearestNode(reference);
        Fail(path,
             fmt::format("unknown node \"{}\" (no node has this id or name{})", reference,
                         nearest.empty() ? "" : fmt::format("; did you mean \"{}\"?", nearest)));
    }
    if (byName->second == kAmbiguousName) {
        Fail(path, fmt::format("ambiguous node name \"{}\": several nodes have it; give the node "
                               "an id and refer to that",
                               reference));
    }
    return byName->second;
}

}  // namespace pellucid::standalone
