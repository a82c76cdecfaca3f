// Instances of the library's own classes, made through its class registry exactly as a host
// makes them.
#pragma once

#include "host/object.h"

namespace pellucid::standalone {

constexpr Class_ID kCollBoxClassID(0x576809a3, 0x3f972dbe);
constexpr Class_ID kGameInfluenceClassID(0x24813565, 0x06b26ece);
constexpr Class_ID kZUTMorphClassID(0x06385f7d, 0x27760920);

// A new instance of the registered class with this class id and super class, or null when the
// library registers none.
Object* CreateLibraryObject(Class_ID id);
Modifier* CreateLibraryModifier(Class_ID id);

}  // namespace pellucid::standalone
