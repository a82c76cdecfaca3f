// The material check: every face needs a material whose name tells the engine how to treat it
// ("_M", "LINE", "TRANSPARENT" or "PORTAL" in any letter case); other faces are marked.
#pragma once

#include "utilities/marking_check.h"

// The node check on `node` and the nodes below it.
CheckFindings CheckMaterialNode(INode* node);

extern const MarkingCheck kCheckMaterial;

class CheckMaterial : public MarkingCheckPanel {
  public:
    CheckMaterial();
};
