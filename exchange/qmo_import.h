// The importer of QMO model-batch lists: assembles a level from model scenes.
#pragma once

#include "host/plugin_classes.h"

class QMOImport : public SceneImport {
  public:
    int ExtCount() override { return 1; }
    const char* Ext(int n) override { return "QMO"; }
    const char* LongDesc() override {
        return "This plugin imports QMO file from the Game Editor program into 3DS Max.";
    }
    const char* ShortDesc() override { return "QMO importer."; }
    const char* AuthorName() override;
    const char* CopyrightMessage() override;
    const char* OtherMessage1() override { return ""; }
    const char* OtherMessage2() override { return ""; }
    unsigned int Version() override { return 1; }
    void ShowAbout(HWND hWnd) override {}
    int DoImport(const char* name, ImpInterface* ii, Interface* ip,
                 BOOL suppressPrompts = FALSE) override;
    int ZoomExtents() override { return -1; }
};
