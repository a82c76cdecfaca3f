// The library's entry points as a host sees them: the four exported functions, the load entry
// point, and the construction and destruction of its static objects, which the system's loader
// performs around the library's life.
#pragma once

#include "host/plugin_classes.h"
#include "services/module_handle.h"

constexpr ULONG DLL_PROCESS_DETACH = 0;
constexpr ULONG DLL_PROCESS_ATTACH = 1;
constexpr ULONG DLL_THREAD_ATTACH = 2;
constexpr ULONG DLL_THREAD_DETACH = 3;

const char* LibDescription();
int LibNumberClasses();
// The descriptor of class i (0..14), else null.
ClassDesc* LibClassDesc(int i);
ULONG LibVersion();

// The load entry point: keeps the module handle and initialises the controls once. Always TRUE.
BOOL LibMain(HINSTANCE hinstDLL, ULONG reason, void* reserved);

// Builds the library's static objects (the debug trace log is opened, and emptied, here). The host
// attaches itself (AttachHostPlatform) first, so that the log's path can be mapped.
void LibraryLoad();
// Destroys them in reverse order (the trace log is closed) and forgets the module handle.
void LibraryUnload();
