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

class ReferenceMaker : public Animatable {
public:
    // Deletes an object whose ownership the host handed over.
    void DeleteMe() { DeleteThis(); }
};

class ReferenceTarget : public ReferenceMaker {};
