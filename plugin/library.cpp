#include "plugin/library.h"

#include "plugin/class_table.h"
#include "resources/string_ids.h"
#include "services/control_init.h"
#include "services/debug_log.h"
#include "services/get_string.h"
#include "services/module_handle.h"

namespace {

// Interface version for plug-in release 4200 (0x1068), interface number 8, revision 0.
constexpr ULONG kLibVersion = 0x10680800;

bool controlsInitialised = false;

}  // namespace

const char* LibDescription() {
    return GetString(IDS_LIBDESCRIPTION);
}

int LibNumberClasses() {
    return static_cast<int>(ClassTable().size());
}

ClassDesc* LibClassDesc(int i) {
    return ClassDescriptor(i);
}

ULONG LibVersion() {
    return kLibVersion;
}

BOOL LibMain(HINSTANCE hinstDLL, ULONG, void*) {
    hInstance = hinstDLL;
    if (!controlsInitialised) {
        controlsInitialised = true;
        InitCustomControls(hInstance);
        InitCommonControls();
    }
    return TRUE;
}

void LibraryLoad() {
    controlsInitialised = false;
    ResetControlInitialisations();
    OpenDebugLog();
}

void LibraryUnload() {
    CloseDebugLog();
    hInstance = nullptr;
    controlsInitialised = false;
}
