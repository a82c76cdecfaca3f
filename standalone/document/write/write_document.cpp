// Entry points of the scene-document writer, the plan of what is written where, and the top
// level.
#include <cerrno>
#include <cstdio>
#include <cstring>
#include <filesystem>
#include <unordered_map>
#include <unordered_set>

#include <fmt/format.h>
#include <simdjson.h>

#include "standalone/document/scene_document_io.h"
#include "standalone/document/write/write_context.h"

namespace pellucid::standalone {

namespace {

std::string SerializeWith(const doc::Document& document,
                          std::function<std::string(const std::string&)> imagePath,
                          const std::string& fileName) {
    try {
        return SceneDocumentWriter(document, std::move(imagePath)).Write();
    } catch (const JsonWriteError& error) {
        const std::string pointer = error.Pointer().empty() ? "/" : error.Pointer();
        throw DocumentError(fmt::format("{}: {}: {}", fileName, pointer, error.what()));
    }
}

// Image paths relative to the document's folder, rewritten to be relative to `target`.
std::function<std::string(const std::string&)> RelocateImages(const doc::Document& document,
                                                              const std::string& target) {
    namespace fs = std::filesystem;
    std::error_code error;
    const fs::path from =
        fs::absolute(
            document.baseDirectory.empty() ? fs::path(".") : fs::path(document.baseDirectory),
            error)
            .lexically_normal();
    const fs::path to = fs::absolute(fs::path(target), error).parent_path().lexically_normal();
    if (error || from == to) {
        return [](const std::string& path) { return path; };
    }
    return [from, to](const std::string& path) {
        const fs::path image(path);
        if (image.is_absolute()) {
            return path;
        }
        const fs::path absolute = (from / image).lexically_normal();
        const fs::path relative = absolute.lexically_relative(to);
        return relative.empty() ? absolute.generic_string() : relative.generic_string();
    };
}

}  // namespace

std::string SerializeSceneDocument(const doc::Document& document) {
    return SerializeWith(
        document, [](const std::string& path) { return path; }, "scene document");
}

std::string SerializeSceneDocumentFor(const doc::Document& document, const std::string& path) {
    return SerializeWith(document, RelocateImages(document, path), path);
}

void WriteSceneDocument(const doc::Document& document, const std::string& path) {
    const std::string text = SerializeSceneDocumentFor(document, path);
    // Written beside the target and moved into place, so that a failed write leaves no half file.
    const std::string partial = path + ".partial";
    std::FILE* file = std::fopen(partial.c_str(), "wb");
    if (file == nullptr) {
        throw DocumentError(fmt::format("{}: cannot be written: {}", path, std::strerror(errno)));
    }
    const bool written = std::fwrite(text.data(), 1, text.size(), file) == text.size();
    const bool closed = std::fclose(file) == 0;
    std::error_code error;
    if (!written || !closed) {
        std::filesystem::remove(partial, error);
        throw DocumentError(fmt::format("{}: cannot be written to its end", path));
    }
    std::filesystem::rename(partial, path, error);
    if (error) {
        std::filesystem::remove(partial, error);
        throw DocumentError(fmt::format("{}: cannot be written: {}", path, error.message()));
    }
}

SceneDocumentWriter::SceneDocumentWriter(const doc::Document& document,
                                         std::function<std::string(const std::string&)> imagePath)
    : document_(document), imagePath_(std::move(imagePath)), json_(simdjson::DEFAULT_MAX_DEPTH) {}

void SceneDocumentWriter::CheckIndex(int index, std::size_t count, std::string_view kind,
                                     bool allowNone) const {
    if ((index == -1 && allowNone) || (index >= 0 && static_cast<std::size_t>(index) < count)) {
        return;
    }
    json_.Fail(fmt::format("{} index {} is out of range: the document has {} {}s", kind, index,
                           count, kind));
}

void SceneDocumentWriter::CountReferences() {
    const doc::Document& d = document_;
    auto count = [](std::vector<EntryPlan>& plans, int index) {
        if (index >= 0 && static_cast<std::size_t>(index) < plans.size()) {
            ++plans[static_cast<std::size_t>(index)].references;
        }
    };
    materials_.resize(d.materials.size());
    maps_.resize(d.maps.size());
    objects_.resize(d.objects.size());
    modifiers_.resize(d.modifiers.size());
    for (const doc::Node& node : d.nodes) {
        count(objects_, node.object);
        count(materials_, node.material);
        for (int modifier : node.modifiers) {
            count(modifiers_, modifier);
        }
    }
    for (const doc::Material& material : d.materials) {
        for (const doc::MapSlot& slot : material.maps) {
            count(maps_, slot.map);
        }
        for (int sub : material.subMaterials) {
            count(materials_, sub);
        }
    }
    for (const doc::Map& map : d.maps) {
        for (int sub : map.subMaps) {
            count(maps_, sub);
        }
    }
}

void SceneDocumentWriter::PlanEntries(std::vector<EntryPlan>& plans, std::string_view kind,
                                      const auto& entries) const {
    std::unordered_set<std::string_view> used;
    for (std::size_t i = 0; i < entries.size(); ++i) {
        const std::string& id = entries[i].id;
        if (!id.empty() && !used.insert(id).second) {
            throw JsonWriteError(fmt::format("/{}s", kind),
                                 fmt::format("two {}s have the id \"{}\"", kind, id));
        }
    }
    for (std::size_t i = 0; i < entries.size(); ++i) {
        EntryPlan& plan = plans[i];
        if (!entries[i].id.empty()) {
            plan.id = entries[i].id;
        } else if (plan.references != 1) {
            std::string made = fmt::format("{}-{}", kind, i);
            while (used.contains(made)) {
                made += "+";
            }
            plan.id = std::move(made);
            used.insert(plan.id);
        }
    }
}

void SceneDocumentWriter::CheckAllWritten(const std::vector<EntryPlan>& plans,
                                          std::string_view kind) const {
    for (std::size_t i = 0; i < plans.size(); ++i) {
        if (!plans[i].written) {
            throw JsonWriteError(
                "/", fmt::format("{} {} is referenced only from within itself", kind, i));
        }
    }
}

void SceneDocumentWriter::PlanNodeReferences() {
    const std::vector<doc::Node>& nodes = document_.nodes;
    nodeIds_.resize(nodes.size());
    nodeReferences_.resize(nodes.size());
    nodeWritten_.assign(nodes.size(), false);
    std::unordered_set<std::string_view> taken;  // every id and name
    std::unordered_map<std::string_view, int> nameCount;
    std::unordered_set<std::string_view> ids;
    for (std::size_t i = 0; i < nodes.size(); ++i) {
        nodeIds_[i] = nodes[i].id;
        if (!nodes[i].id.empty() && !ids.insert(nodes[i].id).second) {
            throw JsonWriteError("/nodes",
                                 fmt::format("two nodes have the id \"{}\"", nodes[i].id));
        }
        ++nameCount[nodes[i].name];
        taken.insert(nodes[i].id);
        taken.insert(nodes[i].name);
    }
    std::vector<bool> referenced(nodes.size(), false);
    auto mark = [&](int node) {
        if (node >= 0 && static_cast<std::size_t>(node) < nodes.size()) {
            referenced[static_cast<std::size_t>(node)] = true;
        }
    };
    for (const doc::Node& node : nodes) {
        for (const doc::LinkTarget& target : node.link) {
            mark(target.node);
        }
    }
    for (const doc::Modifier& modifier : document_.modifiers) {
        for (const auto& vertex : modifier.skinVertices) {
            if (vertex) {
                for (int bone : vertex->bones) {
                    mark(bone);
                }
            }
        }
        for (const auto& [bone, matrix] : modifier.boneInitialTransforms) {
            mark(bone);
        }
    }
    std::vector<std::string> madeIds;
    for (std::size_t i = 0; i < nodes.size(); ++i) {
        if (!referenced[i]) {
            continue;
        }
        const doc::Node& node = nodes[i];
        if (!node.id.empty()) {
            nodeReferences_[i] = node.id;
        } else if (nameCount[node.name] == 1 && !ids.contains(node.name)) {
            nodeReferences_[i] = node.name;
        } else {
            std::string made = fmt::format("node-{}", i);
            while (taken.contains(made)) {
                made += "+";
            }
            nodeIds_[i] = made;
            nodeReferences_[i] = made;
        }
    }
}

void SceneDocumentWriter::WriteSharedList(std::string_view key, std::vector<EntryPlan>& plans,
                                          void (SceneDocumentWriter::*writeEntry)(int)) {
    bool any = false;
    for (std::size_t i = 0; i < plans.size(); ++i) {
        if (plans[i].id.empty()) {
            continue;
        }
        if (!any) {
            json_.Key(key);
            json_.BeginArray();
            any = true;
        }
        (this->*writeEntry)(static_cast<int>(i));
    }
    if (any) {
        json_.EndArray();
    }
}

std::string SceneDocumentWriter::Write() {
    CountReferences();
    PlanEntries(materials_, "material", document_.materials);
    PlanEntries(maps_, "map", document_.maps);
    PlanEntries(objects_, "object", document_.objects);
    PlanEntries(modifiers_, "modifier", document_.modifiers);
    PlanNodeReferences();

    json_.BeginObject();
    json_.Key("pellucidScene");
    json_.Int(1);
    WriteSettings();
    WriteSharedList("materials", materials_, &SceneDocumentWriter::WriteMaterial);
    WriteSharedList("maps", maps_, &SceneDocumentWriter::WriteMap);
    WriteSharedList("objects", objects_, &SceneDocumentWriter::WriteObject);
    WriteSharedList("modifiers", modifiers_, &SceneDocumentWriter::WriteModifier);
    WriteNodes();
    json_.EndObject();
    CheckAllWritten(materials_, "material");
    CheckAllWritten(maps_, "map");
    CheckAllWritten(objects_, "object");
    CheckAllWritten(modifiers_, "modifier");
    json_.Text() += '\n';
    return std::move(json_.Text());
}

}  // namespace pellucid::standalone
