// The texel-size check: reports the range of texel density over the scene.
#pragma once

#include "utilities/utility_panel.h"

class CheckTexelSize : public UtilityPanel {};
