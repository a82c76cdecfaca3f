// The studio's script exporters (mesh and bone scripts) answer the host's descriptive questions
// with constants; each exporter gives them as one table and writes only its DoExport.
#pragma once

#include "host/plugin_classes.h"

struct ScriptExporterTexts {
    // The one extension, answered for n = 0 only.
    const char* extension;
    const char* longDesc;
    const char* shortDesc;
    const char* author;
    const char* copyright;
    unsigned int version;
};

class ScriptExporter : public SceneExport {
  public:
    explicit ScriptExporter(const ScriptExporterTexts& texts) : texts_(texts) {}

    int ExtCount() override { return 1; }
    const char* Ext(int n) override { return n == 0 ? texts_.extension : nullptr; }
    const char* LongDesc() override { return texts_.longDesc; }
    const char* ShortDesc() override { return texts_.shortDesc; }
    const char* AuthorName() override { return texts_.author; }
    const char* CopyrightMessage() override { return texts_.copyright; }
    const char* OtherMessage1() override { return ""; }
    const char* OtherMessage2() override { return ""; }
    unsigned int Version() override { return texts_.version; }
    void ShowAbout(HWND) override {}
    BOOL SupportsOptions(int, DWORD) override { return FALSE; }

  private:
    const ScriptExporterTexts& texts_;
};
