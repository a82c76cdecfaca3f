// Relative transforms between scene nodes, shared by the exporters.
#pragma once

#include "host/inode.h"

// The node's object-offset transform: object space to pivot space, with or without its position.
Matrix3 GetObjectOffsetTM(INode* node, bool withPosition);
// The link target in force at `time` (none before every link time), or the scene parent when the
// node has no link constraint.
INode* GetLinkParent(INode* node, TimeValue time);
// The node's world transform relative to `parent`'s, unscaled and with the parent's mirroring
// applied to the axis rows; the world transform itself when parent is none.
Matrix3 GetRelativeAxes(INode* node, INode* parent, TimeValue time);
// The rotation of the node relative to `parent` (the world rotation when parent is none).
Quat GetRelativeRotation(INode* node, INode* parent, TimeValue time);
// The node's offset from `parent` along the parent's axes in world units, the parent's mirroring
// undone; the world position when parent is none.
Point3 GetRelativePosition(INode* node, INode* parent, TimeValue time);
