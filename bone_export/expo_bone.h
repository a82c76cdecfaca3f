// The bone-script exporter ("BEF").
#pragma once

#include "script/file_class.h"

class ExpoBone : public ScriptExporter {
  public:
    ExpoBone();
    int DoExport(const char* name, ExpInterface* ei, Interface* ip, BOOL suppressPrompts = FALSE,
                 DWORD options = 0) override;
};
