// World transforms of scene nodes: local transform times the parent's world transform, or, for a
// linked node, local times the hold of the link in force times that target's world transform.
// Computed with a work list (trees and link chains may be deep) and cached per node.
#pragma once

#include "host/matrix3.h"
#include "host/max_types.h"

namespace pellucid::standalone {

class SceneNode;

// The node's world transform at t (identity for the root).
Matrix3 NodeWorldTM(const SceneNode* node, TimeValue t);
// The frame that the node's local transform is relative to at t: the parent's world transform,
// or, with a link constraint, the hold of the link in force times its target's world transform.
Matrix3 NodeFrameTM(const SceneNode* node, TimeValue t);

// Scale, then rotation, then translation.
Matrix3 ComposeTransform(const Point3& position, const Quat& rotation, const ScaleValue& scale);

}  // namespace pellucid::standalone
