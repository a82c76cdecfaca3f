#include "standalone/scene/scene_store.h"

#include "standalone/scene/derived_object.h"

namespace pellucid::standalone {

Scene::Scene() : root_(std::make_unique<SceneNode>(this, "Scene Root", true)) {}

Scene::~Scene() {
    // Nodes release their pipelines (which may hold modifier results) before anything else goes.
    nodes_.clear();
    root_.reset();
}

SceneNode* Scene::NewNode(std::string name) {
    nodes_.push_back(std::make_unique<SceneNode>(this, std::move(name)));
    structure.Bump();
    return nodes_.back().get();
}

Object* Scene::AddObject(ObjectEntry entry) {
    Object* object = entry.object.get();
    objectIndex_[object] = objects_.size();
    objects_.push_back(std::move(entry));
    return object;
}

const ObjectEntry* Scene::FindObject(const Object* object) const {
    const auto found = objectIndex_.find(object);
    return found == objectIndex_.end() ? nullptr : &objects_[found->second];
}

Modifier* Scene::AddModifier(ModifierEntry entry) {
    modifiers_.push_back(std::move(entry));
    return modifiers_.back().modifier.get();
}

Mtl* Scene::AddMaterial(MaterialEntry entry) {
    materials_.push_back(std::move(entry));
    return materials_.back().material.get();
}

Texmap* Scene::AddMap(MapEntry entry) {
    maps_.push_back(std::move(entry));
    return maps_.back().map.get();
}

void Scene::KeepWorldCachesBounded() {
    if (cachedWorlds_ <= worldCacheLimit_) {
        return;
    }
    root_->DropWorldCache();
    for (const auto& node : nodes_) {
        node->DropWorldCache();
    }
    cachedWorlds_ = 0;
}

std::vector<SceneNode*> Scene::NodesInTreeOrder() const {
    std::vector<SceneNode*> order;
    order.reserve(nodes_.size());
    // A work list instead of recursion: the depth of a tree is the document's to choose.
    std::vector<SceneNode*> pending(root_->Children().rbegin(), root_->Children().rend());
    while (!pending.empty()) {
        SceneNode* node = pending.back();
        pending.pop_back();
        order.push_back(node);
        pending.insert(pending.end(), node->Children().rbegin(), node->Children().rend());
    }
    return order;
}

const std::vector<SceneNode*>& Scene::SelectedNodes() const {
    if (selectionRevision_ != structure.Value()) {
        selection_.clear();
        for (SceneNode* node : NodesInTreeOrder()) {
            if (node->IsSelected()) {
                selection_.push_back(node);
            }
        }
        selectionRevision_ = structure.Value();
    }
    return selection_;
}

SceneNode* Scene::FindNodeByName(const std::string& name) const {
    if (nameIndexRevision_ != structure.Value()) {
        nameIndex_.clear();
        for (SceneNode* node : NodesInTreeOrder()) {
            nameIndex_.emplace(node->Name(), node);  // keeps the first in tree order
        }
        nameIndexRevision_ = structure.Value();
    }
    const auto found = nameIndex_.find(name);
    return found == nameIndex_.end() ? nullptr : found->second;
}

void Scene::Clear() {
    for (SceneNode* child : std::vector<SceneNode*>(root_->Children())) {
        child->DetachFromParent();
    }
    nodes_.clear();
    modifiers_.clear();
    objectIndex_.clear();
    objects_.clear();
    materials_.clear();
    maps_.clear();
    cachedWorlds_ = 0;
    revision.Bump();
    structure.Bump();
}

}  // namespace pellucid::standalone
