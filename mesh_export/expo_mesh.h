// The mesh-script exporter ("MEF").
#pragma once

#include "script/script_exporter.h"

class ExpoMesh : public ScriptExporter {
  public:
    ExpoMesh();
    int DoExport(const char* name, ExpInterface* ei, Interface* ip, BOOL suppressPrompts = FALSE,
                 DWORD options = 0) override;
};
