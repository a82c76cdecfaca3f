// The exporter of ZUT object files, the studio's exchange format with its modelling tool.
#pragma once

#include "host/plugin_classes.h"

class ZUTExporter : public SceneExport {
  public:
    int ExtCount() override { return 1; }
    const char* Ext(int n) override { return "ZUT"; }
    const char* LongDesc() override { return "Exports mesh in ZUT format"; }
    const char* ShortDesc() override { return "Exports ZUT file"; }
    const char* AuthorName() override;
    const char* CopyrightMessage() override;
    const char* OtherMessage1() override { return ""; }
    const char* OtherMessage2() override { return ""; }
    unsigned int Version() override { return 1; }
    void ShowAbout(HWND hWnd) override {}
    int DoExport(const char* name, ExpInterface* ei, Interface* ip, BOOL suppressPrompts = FALSE,
                 DWORD options = 0) override;
    BOOL SupportsOptions(int ext, DWORD options) override { return FALSE; }
};
