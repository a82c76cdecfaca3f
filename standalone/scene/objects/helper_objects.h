// Objects without geometry of their own: the bone and dummy helpers, lights, cameras and shapes.
// None converts to a triangle mesh.
#pragma once

#include "host/object.h"

namespace pellucid::standalone {

class BoneObject : public HelperObject {
  public:
    Class_ID ClassID() override { return boneObjClassID; }
    void GetClassName(CStr& s) override { s = "Bone"; }
    const char* GetObjectName() override { return "Bone"; }
};

class DummyObject : public HelperObject {
  public:
    Class_ID ClassID() override { return dummyClassID; }
    void GetClassName(CStr& s) override { s = "Dummy"; }
    const char* GetObjectName() override { return "Dummy"; }
};

class LightObject : public Object {
  public:
    SClass_ID SuperClassID() override { return LIGHT_CLASS_ID; }
    Class_ID ClassID() override { return omniLightClassID; }
    void GetClassName(CStr& s) override { s = "Omni"; }
    const char* GetObjectName() override { return "Omni"; }
};

class CameraObject : public Object {
  public:
    SClass_ID SuperClassID() override { return CAMERA_CLASS_ID; }
    Class_ID ClassID() override { return simpleCameraClassID; }
    void GetClassName(CStr& s) override { s = "Camera"; }
    const char* GetObjectName() override { return "Camera"; }
};

class ShapeObject : public Object {
  public:
    SClass_ID SuperClassID() override { return SHAPE_CLASS_ID; }
    Class_ID ClassID() override { return splineShapeClassID; }
    void GetClassName(CStr& s) override { s = "Shape"; }
    const char* GetObjectName() override { return "Shape"; }
};

}  // namespace pellucid::standalone
