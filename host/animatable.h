// Root of the host's class hierarchy: class identity, interfaces and ownership.
#pragma once

#include "host/cstr.h"
#include "host/max_types.h"

class Animatable {
  public:
    virtual ~Animatable() = default;

    virtual Class_ID ClassID() { return Class_ID(0, 0); }
    virtual SClass_ID SuperClassID() = 0;
    virtual void GetClassName(CStr& s) { s = ""; }
    // An interface by its integer id, or null.
    virtual void* GetInterface(ULONG id) { return nullptr; }
    // An interface by its two-word id, or null.
    virtual void* GetInterface(Interface_ID id) { return nullptr; }
    virtual void ReleaseInterface(ULONG id, void* i) {}
    // Frees an object that the library owns (a converted copy, a render mesh's owner).
    virtual void DeleteThis() { delete this; }
};

class ReferenceTarget;

class ReferenceMaker : public Animatable {
  public:
    // Deletes an object whose ownership the host handed over.
    void DeleteMe() { DeleteThis(); }
    // The references that the maker holds, by number.
    virtual int NumRefs() { return 0; }
    virtual ReferenceTarget* GetReference(int i) { return nullptr; }
    virtual void SetReference(int i, ReferenceTarget* target) {}
};

// Maps references of an original to those of its clone; nothing is mapped here.
class RemapDir {};

// Called for each reference maker that depends on a target; answers DEP_ENUM_CONTINUE,
// DEP_ENUM_HALT (stops the walk) or DEP_ENUM_SKIP (leaves out the maker's own dependents).
class DependentEnumProc {
  public:
    virtual ~DependentEnumProc() = default;
    virtual int proc(ReferenceMaker* rmaker) = 0;
};

constexpr int DEP_ENUM_CONTINUE = 0;
constexpr int DEP_ENUM_HALT = 1;
constexpr int DEP_ENUM_SKIP = 2;

class ReferenceTarget : public ReferenceMaker {
  public:
    // Walks the makers that depend on this target, and theirs in turn, in the order the host
    // reports them (for a modifier: the derived object of each node using it, then that node).
    // Answers 1 when proc halted the walk.
    int EnumDependents(DependentEnumProc* dep);
    // A copy of the target, or null when it cannot be copied.
    virtual ReferenceTarget* Clone(RemapDir& remap) { return nullptr; }
};
