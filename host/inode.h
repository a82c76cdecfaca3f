// A node of the host's scene graph.
#pragma once

#include "host/animatable.h"
#include "host/matrix3.h"
#include "host/object.h"

class Mtl;
class Control;

class INode : public ReferenceTarget {
  public:
    SClass_ID SuperClassID() override { return 0x1; }

    virtual const char* GetName() = 0;
    virtual INode* GetParentNode() = 0;
    virtual int NumberOfChildren() = 0;
    virtual INode* GetChildNode(int i) = 0;
    virtual int IsRootNode() = 0;
    virtual int IsHidden(DWORD hflags = 0, BOOL forRenderer = FALSE) = 0;
    virtual int Selected() = 0;
    virtual Mtl* GetMtl() = 0;
    virtual Control* GetTMController() = 0;
    // The node's object at the top of its pipeline (a derived object when it has modifiers).
    virtual Object* GetObjectRef() = 0;
    // The evaluated object at t; evalHidden evaluates hidden nodes too.
    virtual const ObjectState& EvalWorldState(TimeValue t, BOOL evalHidden = TRUE) = 0;

    // World transform of the node's pivot.
    virtual Matrix3 GetNodeTM(TimeValue t, Interval* valid = nullptr) = 0;
    virtual void SetNodeTM(TimeValue t, Matrix3& tm) = 0;
    virtual Matrix3 GetParentTM(TimeValue t) = 0;
    // Object offset (pivot) transform times the node transform.
    virtual Matrix3 GetObjectTM(TimeValue t, Interval* valid = nullptr) = 0;
    virtual Matrix3 GetObjTMAfterWSM(TimeValue t, Interval* valid = nullptr) = 0;
    virtual Point3 GetObjOffsetPos() = 0;
    virtual Quat GetObjOffsetRot() = 0;
    virtual ScaleValue GetObjOffsetScale() = 0;
    virtual float GetVisibility(TimeValue t, Interval* valid = nullptr) = 0;
    // The visibility track, or null when the visibility is constant. Its IKeyControl gives
    // IBezFloatKey keys (time and value); its class is linearFloatClassID for a linear track and
    // onOffFloatClassID for a step track.
    virtual Control* GetVisController() = 0;
};

// Visits every node of a scene; a non-zero result stops the walk.
class ITreeEnumProc {
  public:
    virtual ~ITreeEnumProc() = default;
    virtual int callback(INode* node) = 0;
};

constexpr int TREE_CONTINUE = 0;
constexpr int TREE_IGNORECHILDREN = 1;
constexpr int TREE_ABORT = 2;

class IScene {
  public:
    virtual ~IScene() = default;
    // Calls proc for every node below the root (the root itself is not visited).
    virtual int EnumTree(ITreeEnumProc* proc) = 0;
};
