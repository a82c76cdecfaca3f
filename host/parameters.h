// Parameter arrays and blocks: the host's typed, animatable parameter storage.
#pragma once

#include <string>
#include <vector>

#include "host/animatable.h"
#include "host/interval.h"
#include "host/point3.h"

// Access to numbered parameters by type; every operation answers FALSE when it does not apply.
class IParamArray {
  public:
    virtual ~IParamArray() = default;
    virtual BOOL SetValue(int i, TimeValue t, float v) { return FALSE; }
    virtual BOOL SetValue(int i, TimeValue t, int v) { return FALSE; }
    virtual BOOL SetValue(int i, TimeValue t, Point3& v) { return FALSE; }
    virtual BOOL GetValue(int i, TimeValue t, float& v, Interval& ivalid) { return FALSE; }
    virtual BOOL GetValue(int i, TimeValue t, int& v, Interval& ivalid) { return FALSE; }
    virtual BOOL GetValue(int i, TimeValue t, Point3& v, Interval& ivalid) { return FALSE; }
    virtual class IParamBlock* GetParamBlock() { return nullptr; }
    virtual BOOL KeyFrameAtTime(int i, TimeValue t) { return FALSE; }
};

enum ParamType { TYPE_FLOAT, TYPE_INT, TYPE_RGBA, TYPE_POINT3, TYPE_BOOL };

struct ParamBlockDescID {
    ParamType type;
    void* user;
    BOOL animatable;
    DWORD id;
};

// A parameter block with constant (not keyed) values; reads narrow no validity.
class IParamBlock : public IParamArray, public ReferenceTarget {
  public:
    IParamBlock(const ParamBlockDescID* desc, int count, DWORD version);
    SClass_ID SuperClassID() override { return 0x8; }

    int NumParams() const { return static_cast<int>(params_.size()); }
    DWORD GetVersion() const { return version_; }
    ParamType GetParameterType(int i) const { return params_[static_cast<size_t>(i)].type; }

    BOOL SetValue(int i, TimeValue t, float v) override;
    BOOL SetValue(int i, TimeValue t, int v) override;
    BOOL SetValue(int i, TimeValue t, Point3& v) override;
    BOOL GetValue(int i, TimeValue t, float& v, Interval& ivalid) override;
    BOOL GetValue(int i, TimeValue t, int& v, Interval& ivalid) override;
    BOOL GetValue(int i, TimeValue t, Point3& v, Interval& ivalid) override;
    IParamBlock* GetParamBlock() override { return this; }

    IParamBlock* Clone() const { return new IParamBlock(*this); }
    // Counts the values set, so that what was built from the block can tell it is out of date
    // (the host's change notification).
    unsigned long Changes() const { return changes_; }

  private:
    struct Param {
        ParamType type = TYPE_FLOAT;
        float f = 0.0f;
        int i = 0;
        Point3 p;
    };
    // Parameter i, or null outside the block.
    Param* At(int i);
    // Counts a value set (when `set` is TRUE) and answers `set`.
    BOOL Counted(BOOL set);

    std::vector<Param> params_;
    DWORD version_;
    unsigned long changes_ = 0;
};

IParamBlock* CreateParameterBlock(const ParamBlockDescID* desc, int count, DWORD version);
