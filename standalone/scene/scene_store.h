// The live scene of the stand-alone host: the root node and every node, object, modifier,
// material and map, owned here and referred to by plain pointers everywhere else.
#pragma once

#include <algorithm>
#include <memory>
#include <string>
#include <unordered_map>
#include <vector>

#include "host/material.h"
#include "host/object.h"
#include "standalone/document/scene_document.h"
#include "standalone/scene/scene_node.h"
#include "standalone/scene/scene_revision.h"

namespace pellucid::standalone {

struct ObjectEntry {
    std::unique_ptr<Object> object;
    std::string id;
    doc::ObjectType type = doc::ObjectType::Mesh;
    bool uvHasW = false;
};

// Modifiers, materials and maps keep the document's description beside the live object: nothing
// in the host interface changes them, so the description is what a capture writes back.
struct ModifierEntry {
    std::unique_ptr<Modifier> modifier;
    doc::Modifier source;
};

struct MaterialEntry {
    std::unique_ptr<Mtl> material;
    doc::Material source;
};

struct MapEntry {
    std::unique_ptr<Texmap> map;
    doc::Map source;
};

class Scene {
  public:
    Scene();
    ~Scene();
    Scene(const Scene&) = delete;
    Scene& operator=(const Scene&) = delete;

    // Advanced by every change that can move a node or change an evaluated object.
    SceneRevision revision;
    // Advanced by every change of the tree, of names or of the selection.
    SceneRevision structure;

    doc::Settings settings;
    std::string baseDirectory;

    SceneNode* Root() const { return root_.get(); }
    // A new node owned by the scene and not yet in the tree.
    SceneNode* NewNode(std::string name);
    const std::vector<std::unique_ptr<SceneNode>>& Nodes() const { return nodes_; }

    Object* AddObject(ObjectEntry entry);
    // The entry of an object that the scene owns, or null.
    const ObjectEntry* FindObject(const Object* object) const;
    const std::vector<ObjectEntry>& Objects() const { return objects_; }

    Modifier* AddModifier(ModifierEntry entry);
    const std::vector<ModifierEntry>& Modifiers() const { return modifiers_; }
    Mtl* AddMaterial(MaterialEntry entry);
    const std::vector<MaterialEntry>& Materials() const { return materials_; }
    Texmap* AddMap(MapEntry entry);
    const std::vector<MapEntry>& Maps() const { return maps_; }

    // Every node below the root in depth-first pre-order, children in order.
    std::vector<SceneNode*> NodesInTreeOrder() const;
    // The selected nodes in tree order.
    const std::vector<SceneNode*>& SelectedNodes() const;
    // The first node in tree order with this name, or null.
    SceneNode* FindNodeByName(const std::string& name) const;

    // Removes every node but the root, and every object, modifier, material and map.
    void Clear();

    // The nodes' world-transform caches (SceneNode::CachedWorld) are bounded together: past the
    // limit (2M transforms, about 130 MB) every cache is dropped before the next solve, so that a
    // long walk through time costs time but not unbounded memory.
    void KeepWorldCachesBounded();
    void SetWorldCacheLimit(size_t transforms) { worldCacheLimit_ = transforms; }
    size_t CachedWorldCount() const { return cachedWorlds_; }
    void CountCachedWorld() { ++cachedWorlds_; }
    void ForgetCachedWorlds(size_t count) { cachedWorlds_ -= std::min(count, cachedWorlds_); }

  private:
    // Declared so that nodes go first: they point at everything else.
    std::vector<MapEntry> maps_;
    std::vector<MaterialEntry> materials_;
    std::vector<ObjectEntry> objects_;
    std::unordered_map<const Object*, size_t> objectIndex_;
    std::vector<ModifierEntry> modifiers_;
    std::unique_ptr<SceneNode> root_;
    std::vector<std::unique_ptr<SceneNode>> nodes_;

    size_t cachedWorlds_ = 0;
    size_t worldCacheLimit_ = size_t{1} << 21;
    mutable std::uint64_t selectionRevision_ = 0;
    mutable std::vector<SceneNode*> selection_;
    mutable std::uint64_t nameIndexRevision_ = 0;
    mutable std::unordered_map<std::string, SceneNode*> nameIndex_;
};

}  // namespace pellucid::standalone
