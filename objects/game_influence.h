// The skin-preview modifier: deforms a skinned mesh the way the engine's bone influences do,
// each vertex following its bones rigidly from the skin's binding pose.
#pragma once

#include "objects/geometry_modifier.h"

constexpr Class_ID GAMEINFLUENCE_CLASS_ID(0x24813565, 0x06b26ece);

class GameInfluence : public GeometryModifier {
  public:
    GameInfluence();

    // Replaces every bound vertex with its position from the skin's bindings and the bones at t;
    // leaves the object as the stack delivered it when the skin or its interfaces are missing.
    void ModifyObject(TimeValue t, ModContext& mc, ObjectState* os, INode* node) override;
};
