#include "standalone/import/scene_merge.h"

#include <filesystem>
#include <set>
#include <unordered_set>

#include "standalone/document/scene_document_io.h"
#include "standalone/scene/build/scene_builder.h"

namespace fs = std::filesystem;

namespace pellucid::standalone {

namespace {

// Gives every id of `items` that an entry of the scene has, or that repeats an earlier one, the
// first free suffix.
template <typename Item, typename Entries, typename IdOf>
void RenameTakenIds(std::vector<Item>& items, const Entries& entries, IdOf idOf) {
    std::unordered_set<std::string> taken;
    for (const auto& entry : entries) {
        taken.insert(idOf(entry));
    }
    for (Item& item : items) {
        if (item.id.empty()) {
            continue;
        }
        if (taken.count(item.id) != 0) {
            std::string renamed;
            for (int n = 2; renamed.empty() || taken.count(renamed) != 0; ++n) {
                renamed = item.id + "#" + std::to_string(n);
            }
            item.id = renamed;
        }
        taken.insert(item.id);
    }
}

void RenameTakenIds(doc::Document& document, const Scene& scene) {
    RenameTakenIds(document.nodes, scene.Nodes(), [](const auto& node) { return node->id; });
    RenameTakenIds(document.objects, scene.Objects(),
                   [](const ObjectEntry& entry) { return entry.id; });
    const auto sourceId = [](const auto& entry) { return entry.source.id; };
    RenameTakenIds(document.modifiers, scene.Modifiers(), sourceId);
    RenameTakenIds(document.materials, scene.Materials(), sourceId);
    RenameTakenIds(document.maps, scene.Maps(), sourceId);
}

fs::path FolderOf(const std::string& baseDirectory) {
    std::error_code ec;
    return fs::absolute(baseDirectory.empty() ? fs::path(".") : fs::path(baseDirectory), ec)
        .lexically_normal();
}

// Image paths are relative to their document's folder; the merged ones now belong to the scene.
void RebaseImages(doc::Document& document, const std::string& sceneDirectory) {
    const fs::path from = FolderOf(document.baseDirectory);
    const fs::path to = FolderOf(sceneDirectory);
    for (doc::Map& map : document.maps) {
        doc::Image& image = map.image;
        if (image.kind != doc::Image::Kind::File || fs::path(image.path).is_absolute()) {
            continue;
        }
        const fs::path absolute = (from / image.path).lexically_normal();
        const fs::path relative = absolute.lexically_relative(to);
        image.path = relative.empty() ? absolute.generic_string() : relative.generic_string();
    }
    document.baseDirectory = sceneDirectory;
}

}  // namespace

MergeResult MergeSceneDocument(Scene& scene, const std::string& path, bool selectMerged) {
    MergeResult result;
    doc::Document document;
    try {
        document = ReadSceneDocument(path);
        RenameTakenIds(document, scene);
        RebaseImages(document, scene.baseDirectory);
        // A trial in a scene of its own finds what the builder refuses before anything changes.
        Scene trial;
        trial.settings = scene.settings;
        AddToScene(document, trial);
    } catch (const std::exception& e) {
        result.error = e.what();
        return result;
    }
    const size_t before = scene.Nodes().size();
    AddToScene(std::move(document), scene);
    std::set<const SceneNode*> merged;
    for (size_t i = before; i < scene.Nodes().size(); ++i) {
        merged.insert(scene.Nodes()[i].get());
    }
    for (SceneNode* node : scene.NodesInTreeOrder()) {
        const bool isMerged = merged.count(node) != 0;
        if (isMerged) {
            result.nodes.push_back(node);
            result.topLevelNodes += node->Parent() == scene.Root() ? 1 : 0;
        }
        if (selectMerged) {
            node->SetSelected(isMerged);
        } else if (isMerged) {
            node->SetSelected(false);
        }
    }
    result.merged = true;
    return result;
}

}  // namespace pellucid::standalone
