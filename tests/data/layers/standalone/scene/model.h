// A stand-alone host header in a room of its own may include the library and itself.
#pragma once

#include "objects/collbox.h"
#include "standalone/scene/node.h"
