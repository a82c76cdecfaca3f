// How the command line names the classes of scene objects.
#pragma once

#include <string>

#include "host/object.h"

namespace pellucid::cli {

// "editable mesh", "sphere", "CollBox", ...; "class (0x.., 0x..)" for a class without a name
// here, "no object" for none.
std::string ObjectClassName(Object* object);
std::string ObjectClassName(const Class_ID& id);
// "linear position", "TCB rotation", ...; "class (0x.., 0x..)" for others.
std::string ControllerClassName(const Class_ID& id);

}  // namespace pellucid::cli
