#include "services/module_handle.h"

HINSTANCE hInstance = nullptr;
