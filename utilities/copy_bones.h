// Copies a pose or keys from one skeleton onto another.
#pragma once

#include "utilities/utility_panel.h"

class CopyBones : public UtilityPanel {};
