// The material check: marks faces whose material the engine does not know.
#pragma once

#include "utilities/utility_panel.h"

class CheckMaterial : public UtilityPanel {};
