// The exporter of ZUT object files, the studio's exchange format with its modelling tool.
#pragma once

#include "script/file_class.h"

class ZUTExporter : public FileClass<SceneExport> {
  public:
    ZUTExporter();

    // Writes every mesh node named with the "ZUT" prefix; TRUE in every case, also when the
    // file cannot be opened (then nothing is written).
    int DoExport(const char* name, ExpInterface* ei, Interface* ip, BOOL suppressPrompts = FALSE,
                 DWORD options = 0) override;
};
