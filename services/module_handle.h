// The library's module handle, which the string lookup needs to find the library's resources.
#pragma once

#include "host/max_types.h"

// Null until the load entry point stores it; forgotten when the library is unloaded. Written
// only by the load entry point, which the host calls before anything else.
extern HINSTANCE hInstance;
