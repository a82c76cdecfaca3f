// What the library's two object-space modifiers share: no parameters and no panel, a triangle
// mesh as input, the geometry channel, validity forever, and a name in the modifier stack taken
// from the string table. Each adds only its class identity and its deformation.
#pragma once

#include "host/object.h"

class GeometryModifier : public Modifier {
  public:
    Class_ID ClassID() override { return classID_; }
    SClass_ID SuperClassID() override { return OSM_CLASS_ID; }
    const char* GetName() override { return name_.data(); }
    // The geometry channel and the host's channel bit 0x400.
    DWORD ChannelsUsed() override { return GEOM_CHANNEL | 0x400; }
    DWORD ChannelsChanged() override { return GEOM_CHANNEL; }
    Class_ID InputType() override { return triObjectClassID; }
    Interval LocalValidity(TimeValue t) override { return FOREVER; }

  protected:
    // Takes its name from string `nameId`.
    GeometryModifier(Class_ID classID, int nameId);

    // Marks the object's geometry valid forever and tells it that its points changed.
    static void PointsChanged(Object* object);

  private:
    Class_ID classID_;
    CStr name_;
};
