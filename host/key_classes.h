// Which key a keyframe controller class holds.
#pragma once

#include <memory>

#include "host/control.h"

// A new key of the type that a keyframe controller of class `controller` holds, for GetKey and
// SetKey to fill: the Bezier, linear and TCB point, rotation and scale keys, and the float keys
// (the linear and on/off float classes hold Bezier float keys). Null for any other class.
std::unique_ptr<IKey> NewKeyOfClass(const Class_ID& controller);
