// The key times of a keyframe controller.
#pragma once

#include <vector>

#include "host/control.h"

// The times of the controller's keys in key order; none when there is no controller or it offers
// no key-control interface.
std::vector<TimeValue> ControllerKeyTimes(Control* controller);

// The position and rotation controllers below a node's transform controller (null when absent).
Control* NodePositionController(INode* node);
Control* NodeRotationController(INode* node);

// The link constraint on the node's transform controller, or null.
ILinkCtrl* LinkConstraintOf(INode* node);

// The ticks at which an attached object is sampled: 0, its rotation and position key times and,
// when it has keys and a link constraint, each link time and the tick before it; ascending,
// without repeats, none negative.
std::vector<TimeValue> AttachedObjectTimes(INode* node);
