// The mesh-script exporter ("MEF").
#pragma once

#include "script/file_class.h"

class ExpoMesh : public ScriptExporter {
  public:
    ExpoMesh();
    int DoExport(const char* name, ExpInterface* ei, Interface* ip, BOOL suppressPrompts = FALSE,
                 DWORD options = 0) override;
};
