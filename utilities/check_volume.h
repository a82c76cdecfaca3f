// The volume check: marks faces that leave a mesh open.
#pragma once

#include "utilities/utility_panel.h"

class CheckVolume : public UtilityPanel {};
