// A hand-made scene node for tests that need answers no scene document gives: a fixed world
// transform, an object offset, an evaluated object and a separate object reference, and an
// optional transform controller (such as a link constraint). Visibility is 1 unless a test
// overrides it.
#pragma once

#include <string>
#include <utility>
#include <vector>

#include "host/control.h"
#include "host/inode.h"

class FakeLinkControl : public Control, public ILinkCtrl {
  public:
    SClass_ID SuperClassID() override { return CTRL_MATRIX3_CLASS_ID; }
    void* GetInterface(Interface_ID id) override {
        return id == LINK_CONSTRAINT_INTERFACE ? static_cast<ILinkCtrl*>(this) : nullptr;
    }
    int GetNumTargets() override { return static_cast<int>(targets.size()); }
    TimeValue GetLinkTime(int i) override { return targets[static_cast<size_t>(i)].second; }
    INode* GetNode(int i) override { return targets[static_cast<size_t>(i)].first; }

    // Target nodes (null for the world) with their link times, in list order.
    std::vector<std::pair<INode*, TimeValue>> targets;
};

// A transform controller without a link constraint.
class FakePlainControl : public Control {
  public:
    SClass_ID SuperClassID() override { return CTRL_MATRIX3_CLASS_ID; }
};

class FakeNode : public INode {
  public:
    explicit FakeNode(std::string name, FakeNode* parent = nullptr, Object* object = nullptr)
        : name_(std::move(name)), state_(object) {
        if (parent != nullptr) {
            parent->AddChild(this);
        }
    }

    void AddChild(FakeNode* child) {
        children_.push_back(child);
        child->parent_ = this;
    }

    const char* GetName() override { return name_.c_str(); }
    INode* GetParentNode() override { return parent_; }
    int NumberOfChildren() override { return static_cast<int>(children_.size()); }
    INode* GetChildNode(int i) override { return children_[static_cast<size_t>(i)]; }
    int IsRootNode() override { return parent_ == nullptr; }
    int IsHidden(DWORD, BOOL) override { return 0; }
    int Selected() override { return 0; }
    Mtl* GetMtl() override { return nullptr; }
    Control* GetTMController() override { return controller; }
    Object* GetObjectRef() override { return reference != nullptr ? reference : state_.obj; }
    const ObjectState& EvalWorldState(TimeValue, BOOL) override { return state_; }
    Matrix3 GetNodeTM(TimeValue, Interval*) override { return world; }
    void SetNodeTM(TimeValue, Matrix3& tm) override { world = tm; }
    Matrix3 GetParentTM(TimeValue t) override {
        return parent_ != nullptr ? parent_->GetNodeTM(t, nullptr) : Matrix3();
    }
    Matrix3 GetObjectTM(TimeValue, Interval*) override { return world; }
    Matrix3 GetObjTMAfterWSM(TimeValue, Interval*) override { return world; }
    Point3 GetObjOffsetPos() override { return offsetPos; }
    Quat GetObjOffsetRot() override { return offsetRot; }
    ScaleValue GetObjOffsetScale() override { return offsetScale; }
    float GetVisibility(TimeValue, Interval*) override { return 1.0f; }
    Control* GetVisController() override { return nullptr; }

    Matrix3 world;
    Point3 offsetPos;
    Quat offsetRot;
    ScaleValue offsetScale;
    Control* controller = nullptr;
    // The object before evaluation (a modifier stack, say); the evaluated object when null.
    Object* reference = nullptr;

  private:
    std::string name_;
    FakeNode* parent_ = nullptr;
    std::vector<FakeNode*> children_;
    ObjectState state_;
};
