#include "plugin/library.h"

// Kept apart from the entry points so that the parts that read it (the string lookup) do not
// bring the whole class table with them.
HINSTANCE hInstance = nullptr;
