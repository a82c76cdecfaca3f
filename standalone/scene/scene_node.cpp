#include "standalone/scene/scene_node.h"

#include <algorithm>

#include "host/decomp.h"
#include "host/transform_helpers.h"
#include "standalone/scene/derived_object.h"
#include "standalone/scene/node_pipeline.h"
#include "standalone/scene/scene_store.h"
#include "standalone/scene/world_transform.h"

namespace pellucid::standalone {

namespace {

SceneNode::Parts DecomposeParts(const Matrix3& m) {
    AffineParts parts;
    decomp_affine(m, &parts);
    // The mirror sign folds into the scale: f * I commutes with the other factors.
    return {parts.t, parts.q, ScaleValue(parts.k * parts.f, parts.u)};
}

SceneNode::Parts PartsOf(const doc::Transform& transform) {
    if (transform.fromParts) {
        return {transform.position, transform.rotation, ScaleValue(transform.scale)};
    }
    return DecomposeParts(transform.matrix);
}

}  // namespace

SceneNode::SceneNode(Scene* scene, std::string name, bool root)
    : scene_(scene), name_(std::move(name)), root_(root), transform_(&scene->revision) {
    staticParts_ = PartsOf(transform_doc_);
}

SceneNode::~SceneNode() = default;

INode* SceneNode::GetChildNode(int i) {
    return i >= 0 && i < NumberOfChildren() ? children_[static_cast<size_t>(i)] : nullptr;
}

Object* SceneNode::GetObjectRef() {
    if (derived_) {
        return derived_.get();
    }
    return object_;
}

const ObjectState& SceneNode::EvalWorldState(TimeValue t, BOOL) {
    if (pipeline_ && pipeline_->Applies()) {
        return pipeline_->Evaluate(t, this);
    }
    return baseState_;
}

Matrix3 SceneNode::GetNodeTM(TimeValue t, Interval* valid) {
    if (valid != nullptr) {
        *valid = Interval(t, t);
    }
    return NodeWorldTM(this, t);
}

void SceneNode::SetNodeTM(TimeValue t, Matrix3& tm) {
    if (root_) {
        return;
    }
    const Matrix3 local = tm * Inverse(NodeFrameTM(this, t));
    if (transform_.Animates()) {
        ReplaceOffsetInKeys(t, LocalParts(t), DecomposeParts(local));
    }
    doc::Transform replaced;
    replaced.matrix = local;
    SetLocalTransform(replaced);
}

// Keys move with the node, as when an animated node is moved outside animation mode: every key
// of an animated channel is offset so that the channel gives the wanted value at t.
void SceneNode::ReplaceOffsetInKeys(TimeValue, const Parts& now, const Parts& wanted) {
    if (transform_.Position().Animates()) {
        const Point3 delta = wanted.position - now.position;
        for (PositionRecord& key : transform_.Position().MutableKeys()) {
            key.value += delta;
        }
    }
    if (transform_.Rotation().Animates()) {
        const Quat turn = Inverse(now.rotation) * wanted.rotation;
        for (RotationRecord& key : transform_.Rotation().MutableKeys()) {
            key.value = key.value * turn;
        }
    }
    if (transform_.Scale().Animates()) {
        Point3 ratio(1.0f, 1.0f, 1.0f);
        for (int i = 0; i < 3; ++i) {
            if (now.scale.s[i] != 0.0f) {
                ratio[i] = wanted.scale.s[i] / now.scale.s[i];
            }
        }
        for (ScaleRecord& key : transform_.Scale().MutableKeys()) {
            key.value.s = key.value.s * ratio;
            key.inTangent = key.inTangent * ratio;
            key.outTangent = key.outTangent * ratio;
        }
    }
}

Matrix3 SceneNode::GetParentTM(TimeValue t) {
    return NodeWorldTM(parent_, t);
}

Matrix3 SceneNode::GetObjectTM(TimeValue t, Interval* valid) {
    return GetObjectOffsetTM(this, true) * GetNodeTM(t, valid);
}

Matrix3 SceneNode::GetObjTMAfterWSM(TimeValue t, Interval* valid) {
    return GetObjectTM(t, valid);
}

ScaleValue SceneNode::GetObjOffsetScale() {
    return pivot_ ? ScaleValue(pivot_->scale) : ScaleValue();
}

float SceneNode::GetVisibility(TimeValue t, Interval* valid) {
    if (valid != nullptr) {
        *valid = Interval(t, t);
    }
    if (visibilityController_) {
        return visibilityController_->Evaluate(t);
    }
    return visibility_ && !visibility_->keys.empty() ? EvaluateFloatTrack(*visibility_, t) : 1.0f;
}

void SceneNode::SetName(std::string name) {
    name_ = std::move(name);
    scene_->structure.Bump();
}

void SceneNode::AttachChild(SceneNode* child) {
    if (child == nullptr || child == this || child->root_) {
        return;
    }
    child->DetachFromParent();
    child->parent_ = this;
    children_.push_back(child);
    scene_->revision.Bump();
    scene_->structure.Bump();
}

void SceneNode::DetachFromParent() {
    if (parent_ == nullptr) {
        return;
    }
    auto& siblings = parent_->children_;
    siblings.erase(std::find(siblings.begin(), siblings.end(), this));
    parent_ = nullptr;
    scene_->revision.Bump();
    scene_->structure.Bump();
}

void SceneNode::SetSelected(bool selected) {
    if (selected_ != selected) {
        selected_ = selected;
        scene_->structure.Bump();
    }
}

void SceneNode::SetObject(Object* object) {
    object_ = object;
    baseState_ = ObjectState(object);
    SetModifiers(modifiers_);
}

void SceneNode::SetModifiers(std::vector<Modifier*> topFirst) {
    modifiers_ = std::move(topFirst);
    if (modifiers_.empty() || object_ == nullptr) {
        derived_.reset();
        pipeline_.reset();
    } else {
        derived_ = std::make_unique<DerivedObject>(object_, modifiers_);
        pipeline_ = std::make_unique<NodePipeline>(object_, modifiers_);
    }
    scene_->revision.Bump();
}

void SceneNode::SetLocalTransform(const doc::Transform& transform) {
    transform_doc_ = transform;
    staticParts_ = PartsOf(transform);
    scene_->revision.Bump();
}

SceneNode::Parts SceneNode::LocalParts(TimeValue t) const {
    return {transform_.Position().Evaluate(t, staticParts_.position),
            transform_.Rotation().Evaluate(t, staticParts_.rotation),
            transform_.Scale().Evaluate(t, staticParts_.scale)};
}

Matrix3 SceneNode::LocalTM(TimeValue t) const {
    if (!transform_.Animates()) {
        return transform_doc_.matrix;
    }
    const Parts parts = LocalParts(t);
    return ComposeTransform(parts.position, parts.rotation, parts.scale);
}

void SceneNode::SetVisibility(std::optional<doc::FloatTrack> track) {
    visibility_ = std::move(track);
    if (visibility_ && !visibility_->constant && !visibility_->keys.empty()) {
        visibilityController_ =
            std::make_unique<FloatTrackController>(*visibility_, &scene_->revision);
    } else {
        visibilityController_.reset();
    }
    scene_->revision.Bump();
}

void SceneNode::SetPivot(std::optional<doc::Pivot> pivot) {
    pivot_ = std::move(pivot);
    scene_->revision.Bump();
}

bool SceneNode::CachedWorld(TimeValue t, std::uint64_t revision, Matrix3& out) const {
    return worldCache_.IsFor(revision) && worldCache_.Find(t, out);
}

void SceneNode::StoreWorld(TimeValue t, std::uint64_t revision, const Matrix3& world) const {
    if (!worldCache_.IsFor(revision)) {
        scene_->ForgetCachedWorlds(worldCache_.Size());
        worldCache_.Reset(revision);
    }
    worldCache_.Insert(t, world);
    scene_->CountCachedWorld();
}

}  // namespace pellucid::standalone
