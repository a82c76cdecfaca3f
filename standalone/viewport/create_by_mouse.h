// Creating an object by mouse clicks in a viewport, as the host's create mode does: the class's
// creation procedure receives each mouse message until it stops (the object is placed in the
// scene under a new node) or aborts (nothing is created).
#pragma once

#include <string>
#include <vector>

#include "standalone/host/standalone_host.h"
#include "standalone/viewport/viewport.h"

namespace pellucid::standalone::viewport {

// One mouse event: a press (MOUSE_POINT) or a move (MOUSE_MOVE) at a screen point.
struct MouseEvent {
    int msg = MOUSE_POINT;
    IPoint2 at;
    int flags = 0;
};

// The node made, or null when the procedure aborted or never stopped.
INode* CreateByMouse(StandaloneHost& host, Viewport& view, Class_ID classId,
                     const std::vector<MouseEvent>& events, const std::string& name);

}  // namespace pellucid::standalone::viewport
