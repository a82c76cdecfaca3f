// Loading saved objects: callbacks that run once a scene has been read, and the upgrade of a
// parameter block saved by an older version of its object.
#pragma once

#include "host/parameters.h"

class ILoad;

class PostLoadCallback {
  public:
    virtual ~PostLoadCallback() = default;
    virtual void proc(ILoad* iload) = 0;
};

// What a host offers an object while it reads a scene.
class ILoad {
  public:
    virtual ~ILoad() = default;
    // Runs `cb` after the whole scene has been read; the callback frees itself when it has run.
    virtual void RegisterPostLoadCallback(PostLoadCallback* cb) = 0;
};

// The parameters of one saved version of a parameter block.
struct ParamVersionDesc {
    const ParamBlockDescID* desc;
    int count;
    DWORD version;
};

// Replaces the parameter block at reference `refNum` of `target` by one of the current version
// when it was saved by one of the older versions listed, keeping the values of parameters whose
// ids both versions share; new parameters start at zero.
class ParamBlockPLCB : public PostLoadCallback {
  public:
    ParamBlockPLCB(const ParamVersionDesc* versions, int count, const ParamVersionDesc* current,
                   ReferenceTarget* target, int refNum)
        : versions_(versions), count_(count), current_(current), target_(target), refNum_(refNum) {}
    void proc(ILoad* iload) override;

  private:
    const ParamVersionDesc* versions_;
    int count_;
    const ParamVersionDesc* current_;
    ReferenceTarget* target_;
    int refNum_;
};

// A block of the new description holding the values of `old` for the ids that both share.
IParamBlock* UpdateParameterBlock(const ParamBlockDescID* oldDesc, int oldCount, IParamBlock* old,
                                  const ParamBlockDescID* newDesc, int newCount, DWORD newVersion);
