#include "standalone/scene/controllers/transform_controller.h"

namespace pellucid::standalone {

TimeValue LinkConstraint::GetLinkTime(int i) {
    return i >= 0 && i < GetNumTargets() ? targets_[static_cast<size_t>(i)].time : 0;
}

INode* LinkConstraint::GetNode(int i) {
    return i >= 0 && i < GetNumTargets() ? targets_[static_cast<size_t>(i)].target : nullptr;
}

void LinkConstraint::SetTargets(std::vector<LinkEntry> targets) {
    targets_ = std::move(targets);
    revision_->Bump();
}

int LinkConstraint::TargetInForce(TimeValue t) const {
    int result = 0;
    for (int i = 0; i < static_cast<int>(targets_.size()); ++i) {
        if (targets_[static_cast<size_t>(i)].time <= t) {
            result = i;
        }
    }
    return result;
}

// A node without keyed controllers gets the host's default keyframe controllers, without keys.
TransformController::TransformController(SceneRevision* revision)
    : position_(std::make_unique<PositionController>(doc::ControllerKind::Bezier, revision)),
      rotation_(std::make_unique<RotationController>(doc::ControllerKind::Tcb, revision)),
      scale_(std::make_unique<ScaleController>(doc::ControllerKind::Bezier, revision)),
      link_(revision) {}

Class_ID TransformController::ClassID() {
    return HasLink() ? linkControlClassID : prsControlClassID;
}

void* TransformController::GetInterface(Interface_ID id) {
    if (id == LINK_CONSTRAINT_INTERFACE && HasLink()) {
        return static_cast<ILinkCtrl*>(&link_);
    }
    return nullptr;
}

}  // namespace pellucid::standalone
