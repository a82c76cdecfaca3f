// The sorting-group check: looks at the selected nodes' faces.
#pragma once

#include "utilities/utility_panel.h"

class CheckSortingGroup : public UtilityPanel {};
