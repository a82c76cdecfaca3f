// The skin-preview modifier: deforms a skinned mesh the way the engine's bone influences do.
#pragma once

#include "host/object.h"

constexpr Class_ID GAMEINFLUENCE_CLASS_ID(0x24813565, 0x06b26ece);

class GameInfluence : public Modifier {
  public:
    // Takes its name in the modifier stack from the string table.
    GameInfluence();

    Class_ID ClassID() override { return GAMEINFLUENCE_CLASS_ID; }
    SClass_ID SuperClassID() override { return OSM_CLASS_ID; }
    const char* GetName() override { return name_.data(); }
    // The geometry channel and the host's channel bit 0x400.
    DWORD ChannelsUsed() override { return GEOM_CHANNEL | 0x400; }
    DWORD ChannelsChanged() override { return GEOM_CHANNEL; }
    Class_ID InputType() override { return triObjectClassID; }
    Interval LocalValidity(TimeValue t) override { return FOREVER; }
    void ModifyObject(TimeValue t, ModContext& mc, ObjectState* os, INode* node) override;

  private:
    CStr name_;
};
