// The mapping check: marks faces with unusable texture coordinates.
#pragma once

#include "utilities/utility_panel.h"

class CheckMapping : public UtilityPanel {};
