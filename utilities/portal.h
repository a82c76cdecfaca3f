// The portal browser: counts and steps through the portals and sectors of a mesh.
#pragma once

#include "utilities/utility_panel.h"

class Portal : public UtilityPanel {};
