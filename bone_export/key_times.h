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
