// The host's import interface over a live scene: new nodes, their objects and transforms, and a
// new empty scene.
#pragma once

#include <memory>
#include <vector>

#include "host/interface.h"
#include "standalone/scene/scene_store.h"

namespace pellucid::standalone {

// A node made for an importer; it joins the tree when the importer adds it to the scene.
class ImportedNode : public ImpNode {
  public:
    ImportedNode(Scene& scene, SceneNode* node) : scene_(scene), node_(node) {}

    // The scene takes the object over unless it owns it already.
    void Reference(Object* obj) override;
    void SetTransform(TimeValue t, Matrix3 tm) override { node_->SetNodeTM(t, tm); }
    void SetName(const char* name) override { node_->SetName(name ? name : ""); }
    INode* GetINode() override { return node_; }
    SceneNode* Node() const { return node_; }

  private:
    Scene& scene_;
    SceneNode* node_;
};

class SceneImporter : public ImpInterface {
  public:
    explicit SceneImporter(Scene& scene) : scene_(scene) {}

    ImpNode* CreateNode() override;
    // Appends the node to the scene root's children.
    void AddNodeToScene(ImpNode* node) override;
    // Removes every node, object, modifier, material and map. Always 1.
    int NewScene() override;
    void RedrawViews() override {}

  private:
    Scene& scene_;
    std::vector<std::unique_ptr<ImportedNode>> created_;
};

}  // namespace pellucid::standalone
