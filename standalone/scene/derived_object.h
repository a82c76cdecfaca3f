// The derived object of a node with modifiers: the modifier stack, top first, above the node's
// object.
#pragma once

#include <vector>

#include "host/object.h"

namespace pellucid::standalone {

class DerivedObject : public IDerivedObject {
  public:
    DerivedObject(Object* object, std::vector<Modifier*> topFirst)
        : object_(object), modifiers_(std::move(topFirst)) {}

    int NumModifiers() override { return static_cast<int>(modifiers_.size()); }
    Modifier* GetModifier(int index) override {
        return index >= 0 && index < NumModifiers() ? modifiers_[static_cast<size_t>(index)]
                                                    : nullptr;
    }
    Object* GetObjRef() override { return object_; }
    void DeleteThis() override {}  // owned by its node

  private:
    Object* object_;
    std::vector<Modifier*> modifiers_;
};

}  // namespace pellucid::standalone
