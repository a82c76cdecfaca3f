// A node's transform controller: its position, rotation and scale sub-controllers and, for a
// linked node, the link constraint (offered as LINK_CONSTRAINT_INTERFACE).
#pragma once

#include <memory>
#include <vector>

#include "standalone/scene/controllers/keyed_controllers.h"

namespace pellucid::standalone {

struct LinkEntry {
    INode* target = nullptr;  // null for the world
    TimeValue time = 0;
};

// The link constraint's targets in list order.
class LinkConstraint : public ILinkCtrl {
  public:
    explicit LinkConstraint(SceneRevision* revision) : revision_(revision) {}

    int GetNumTargets() override { return static_cast<int>(targets_.size()); }
    TimeValue GetLinkTime(int i) override;
    INode* GetNode(int i) override;

    const std::vector<LinkEntry>& Targets() const { return targets_; }
    void SetTargets(std::vector<LinkEntry> targets);
    // The target in force at t: the last in list order whose time is at or before t, else the
    // first.
    int TargetInForce(TimeValue t) const;

  private:
    std::vector<LinkEntry> targets_;
    SceneRevision* revision_;
};

class TransformController : public Control {
  public:
    explicit TransformController(SceneRevision* revision);

    using Animatable::GetInterface;
    Class_ID ClassID() override;
    SClass_ID SuperClassID() override { return CTRL_MATRIX3_CLASS_ID; }
    void* GetInterface(Interface_ID id) override;
    void DeleteThis() override {}  // owned by its node

    Control* GetPositionController() override { return position_.get(); }
    Control* GetRotationController() override { return rotation_.get(); }
    Control* GetScaleController() override { return scale_.get(); }

    PositionController& Position() { return *position_; }
    RotationController& Rotation() { return *rotation_; }
    ScaleController& Scale() { return *scale_; }
    const PositionController& Position() const { return *position_; }
    const RotationController& Rotation() const { return *rotation_; }
    const ScaleController& Scale() const { return *scale_; }
    void ReplacePosition(std::unique_ptr<PositionController> c) { position_ = std::move(c); }
    void ReplaceRotation(std::unique_ptr<RotationController> c) { rotation_ = std::move(c); }
    void ReplaceScale(std::unique_ptr<ScaleController> c) { scale_ = std::move(c); }

    LinkConstraint& Link() { return link_; }
    const LinkConstraint& Link() const { return link_; }
    bool HasLink() const { return !link_.Targets().empty(); }
    // Whether any sub-controller's keys decide its part of the local transform.
    bool Animates() const {
        return position_->Animates() || rotation_->Animates() || scale_->Animates();
    }

  private:
    std::unique_ptr<PositionController> position_;
    std::unique_ptr<RotationController> rotation_;
    std::unique_ptr<ScaleController> scale_;
    LinkConstraint link_;
};

}  // namespace pellucid::standalone
