// The mapping check: every face of every mesh needs texture coordinates that are numbers within
// +-100000; faces that have none are marked.
#pragma once

#include "utilities/marking_check.h"

// The node check on `node` and the nodes below it.
CheckFindings CheckMappingNode(INode* node);

extern const MarkingCheck kCheckMapping;

class CheckMapping : public MarkingCheckPanel {
  public:
    CheckMapping();
};
