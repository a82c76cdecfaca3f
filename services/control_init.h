// Initialisation of the host's custom controls and the system's common controls. The library
// asks for both once, when it is loaded; without the platform's toolkit the requests are counted
// so that a host (and a test) can see them.
#pragma once

#include "host/max_types.h"

void InitCustomControls(HINSTANCE hInst);
void InitCommonControls();

struct ControlInitialisations {
    int customControls = 0;
    int commonControls = 0;
};

// How often each initialisation was asked for since the library was loaded.
ControlInitialisations GetControlInitialisations();
// Forgets the counts; the library does this when it is loaded.
void ResetControlInitialisations();
