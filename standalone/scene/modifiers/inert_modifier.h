// A modifier that changes nothing: it only makes its node's object a derived object.
#pragma once

#include <string>

#include "host/object.h"

namespace pellucid::standalone {

constexpr Class_ID inertModifierClassID(0x50c1d001, 0x7e110010);

class InertModifier : public Modifier {
  public:
    explicit InertModifier(std::string name) : name_(std::move(name)) {}

    Class_ID ClassID() override { return inertModifierClassID; }
    void GetClassName(CStr& s) override { s = name_.c_str(); }
    const char* GetName() override { return name_.c_str(); }
    void ModifyObject(TimeValue, ModContext&, ObjectState*, INode*) override {}

  private:
    std::string name_;
};

}  // namespace pellucid::standalone
