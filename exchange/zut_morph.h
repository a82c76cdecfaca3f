// The morph modifier of the exchange format: animates an object from its rest shape into its
// frame-10 shape over the first ten frames.
#pragma once

#include "host/object.h"

constexpr Class_ID ZUTMORPH_CLASS_ID(0x06385f7d, 0x27760920);

class ZUTMorph : public Modifier {
  public:
    // Takes its name in the modifier stack from the string table.
    ZUTMorph();

    Class_ID ClassID() override { return ZUTMORPH_CLASS_ID; }
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
