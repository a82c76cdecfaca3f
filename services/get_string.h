// Resource strings of the library, looked up into one shared buffer.
#pragma once

// The string `id` in the shared 256-character buffer, valid until the next call on the same
// thread; null without a module handle or for an id that has no string.
const char* GetString(int id);
