// A node of the stand-alone host's scene: name, place in the tree, flags, material, object with
// its modifier stack, transform controllers, link constraint, visibility, object offset and face
// selection.
#pragma once

#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "host/inode.h"
#include "standalone/document/scene_document.h"
#include "standalone/scene/controllers/float_track.h"
#include "standalone/scene/controllers/transform_controller.h"
#include "standalone/scene/world_cache.h"

namespace pellucid::standalone {

class Scene;
class DerivedObject;
class NodePipeline;

class SceneNode : public INode {
  public:
    SceneNode(Scene* scene, std::string name, bool root = false);
    ~SceneNode() override;
    SceneNode(const SceneNode&) = delete;
    SceneNode& operator=(const SceneNode&) = delete;

    // INode.
    const char* GetName() override { return name_.c_str(); }
    INode* GetParentNode() override { return parent_; }
    int NumberOfChildren() override { return static_cast<int>(children_.size()); }
    INode* GetChildNode(int i) override;
    int IsRootNode() override { return root_ ? 1 : 0; }
    int IsHidden(DWORD hflags = 0, BOOL forRenderer = FALSE) override { return hidden_ ? 1 : 0; }
    int Selected() override { return selected_ ? 1 : 0; }
    Mtl* GetMtl() override { return material_; }
    Control* GetTMController() override { return &transform_; }
    Object* GetObjectRef() override;
    const ObjectState& EvalWorldState(TimeValue t, BOOL evalHidden = TRUE) override;
    Matrix3 GetNodeTM(TimeValue t, Interval* valid = nullptr) override;
    void SetNodeTM(TimeValue t, Matrix3& tm) override;
    Matrix3 GetParentTM(TimeValue t) override;
    Matrix3 GetObjectTM(TimeValue t, Interval* valid = nullptr) override;
    Matrix3 GetObjTMAfterWSM(TimeValue t, Interval* valid = nullptr) override;
    Point3 GetObjOffsetPos() override { return pivot_ ? pivot_->position : Point3(); }
    Quat GetObjOffsetRot() override { return pivot_ ? pivot_->rotation : Quat(); }
    ScaleValue GetObjOffsetScale() override;
    float GetVisibility(TimeValue t, Interval* valid = nullptr) override;
    Control* GetVisController() override { return visibilityController_.get(); }
    void DeleteThis() override {}  // owned by its scene

    // The model behind it.
    Scene& OwnerScene() const { return *scene_; }
    const std::string& Name() const { return name_; }
    void SetName(std::string name);
    std::string id;  // the document's reference, "" when it has none

    bool IsRoot() const { return root_; }
    SceneNode* Parent() const { return parent_; }
    const std::vector<SceneNode*>& Children() const { return children_; }
    // Appends `child` to this node's children, taking it from its former parent.
    void AttachChild(SceneNode* child);
    void DetachFromParent();

    bool Hidden() const { return hidden_; }
    void SetHidden(bool hidden) { hidden_ = hidden; }
    bool IsSelected() const { return selected_; }
    void SetSelected(bool selected);
    void SetMaterial(Mtl* material) { material_ = material; }

    // The object at the bottom of the pipeline, and the modifiers above it, top first.
    Object* BaseObject() const { return object_; }
    const std::vector<Modifier*>& Modifiers() const { return modifiers_; }
    void SetObject(Object* object);
    void SetModifiers(std::vector<Modifier*> topFirst);

    // The local transform: relative to the parent, or to the link target in force.
    const doc::Transform& LocalTransform() const { return transform_doc_; }
    void SetLocalTransform(const doc::Transform& transform);
    TransformController& Transform() { return transform_; }
    const TransformController& Transform() const { return transform_; }
    Matrix3 LocalTM(TimeValue t) const;
    // The position, rotation and scale that the keyed parts replace.
    struct Parts {
        Point3 position;
        Quat rotation;
        ScaleValue scale;
    };
    Parts LocalParts(TimeValue t) const;

    // Visibility: a constant, or a track offered through GetVisController.
    const std::optional<doc::FloatTrack>& Visibility() const { return visibility_; }
    void SetVisibility(std::optional<doc::FloatTrack> track);
    const FloatTrackController* VisibilityController() const { return visibilityController_.get(); }
    const std::optional<doc::Pivot>& Pivot() const { return pivot_; }
    void SetPivot(std::optional<doc::Pivot> pivot);

    // The face selection of a node whose mesh does not keep one itself (primitives, modifier
    // stacks); an editable mesh without modifiers keeps it in its mesh.
    std::vector<int> selectedFaces;

    // World transforms computed at any number of times, valid for one scene revision; they count
    // towards the scene's bound (Scene::KeepWorldCachesBounded).
    bool CachedWorld(TimeValue t, std::uint64_t revision, Matrix3& out) const;
    void StoreWorld(TimeValue t, std::uint64_t revision, const Matrix3& world) const;
    // Gives the memory of the cached transforms back.
    void DropWorldCache() const { worldCache_.Release(); }
    // Whether the world-transform solver has the node on its path (a link back to it is a cycle).
    bool OnWorldPath() const { return onWorldPath_; }
    void SetOnWorldPath(bool on) const { onWorldPath_ = on; }
    // The hold transforms of the link constraint, valid for one scene revision.
    struct Holds {
        std::uint64_t revision = 0;
        std::vector<Matrix3> matrices;
    };
    Holds& LinkHolds() const { return holds_; }

    // The evaluated pipeline at t when it has been computed (for capture), else null.
    NodePipeline* Pipeline() const { return pipeline_.get(); }

  private:
    void ReplaceOffsetInKeys(TimeValue t, const Parts& now, const Parts& wanted);

    Scene* scene_;
    std::string name_;
    bool root_;
    SceneNode* parent_ = nullptr;
    std::vector<SceneNode*> children_;
    bool hidden_ = false;
    bool selected_ = false;
    Mtl* material_ = nullptr;
    Object* object_ = nullptr;
    std::vector<Modifier*> modifiers_;
    std::unique_ptr<DerivedObject> derived_;
    std::unique_ptr<NodePipeline> pipeline_;
    ObjectState baseState_;

    doc::Transform transform_doc_;
    Parts staticParts_;
    TransformController transform_;
    std::optional<doc::FloatTrack> visibility_;
    std::unique_ptr<FloatTrackController> visibilityController_;
    std::optional<doc::Pivot> pivot_;

    mutable WorldCache worldCache_;
    mutable bool onWorldPath_ = false;
    mutable Holds holds_;
};

}  // namespace pellucid::standalone
