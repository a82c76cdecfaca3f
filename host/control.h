// Transform controllers, their keys and the link constraint.
#pragma once

#include "host/animatable.h"
#include "host/matrix3.h"

class INode;

// Keys as IKeyControl::GetKey fills them. The controller knows which key type it holds; a caller
// passes a key of that type.
class IKey {
  public:
    virtual ~IKey() = default;
    TimeValue time = 0;
    DWORD flags = 0;
};

class IBezPoint3Key : public IKey {
  public:
    Point3 intan, outtan, val;
};
class ILinPoint3Key : public IKey {
  public:
    Point3 val;
};
class ITCBKey : public IKey {
  public:
    float tens = 0.0f, cont = 0.0f, bias = 0.0f, easeIn = 0.0f, easeOut = 0.0f;
};
class ITCBPoint3Key : public ITCBKey {
  public:
    Point3 val;
};
class IBezQuatKey : public IKey {
  public:
    Quat val;
};
class ILinRotKey : public IKey {
  public:
    Quat val;
};
class ITCBRotKey : public ITCBKey {
  public:
    Quat val;
};
class IBezScaleKey : public IKey {
  public:
    Point3 intan, outtan;
    ScaleValue val;
};
class ILinScaleKey : public IKey {
  public:
    ScaleValue val;
};
class ITCBScaleKey : public ITCBKey {
  public:
    ScaleValue val;
};
class IBezFloatKey : public IKey {
  public:
    float intan = 0.0f, outtan = 0.0f, val = 0.0f;
};

// The key list of a keyframe controller (interface I_KEYCONTROL).
class IKeyControl {
  public:
    virtual ~IKeyControl() = default;
    virtual int GetNumKeys() = 0;
    virtual void SetNumKeys(int n) = 0;
    // Fills `key`, which must be of the controller's key type; out-of-range indices leave it.
    virtual void GetKey(int i, IKey* key) = 0;
    virtual void SetKey(int i, IKey* key) = 0;
    virtual int GetKeySize() = 0;
};

inline IKeyControl* GetKeyControlInterface(Animatable* anim) {
    return anim ? static_cast<IKeyControl*>(anim->GetInterface(I_KEYCONTROL)) : nullptr;
}

class Control : public ReferenceTarget {
  public:
    virtual Control* GetPositionController() { return nullptr; }
    virtual Control* GetRotationController() { return nullptr; }
    virtual Control* GetScaleController() { return nullptr; }
};

// The link constraint (interface LINK_CONSTRAINT_INTERFACE of a transform controller).
class ILinkCtrl {
  public:
    virtual ~ILinkCtrl() = default;
    virtual int GetNumTargets() = 0;
    virtual TimeValue GetLinkTime(int i) = 0;
    // The target node, or null for the world.
    virtual INode* GetNode(int i) = 0;
};

// The host's user defaults for new TCB keys.
void GetTCBDefaultParams(float& tension, float& continuity, float& bias, float& easeIn,
                         float& easeOut);
