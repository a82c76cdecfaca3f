// The constant answers that a file exporter or importer gives to the host's descriptive
// questions, kept as one table per class: the script exporters, the exchange exporter and the
// exchange importers all answer this way.
#pragma once

#include "host/plugin_classes.h"

struct FileClassAnswers {
    const char* extension;
    const char* longDescription;
    const char* shortDescription;
    const char* author;
    const char* copyright;
    unsigned int version;
    // Whether Ext(n) gives the extension for every n, or only for n = 0 (null otherwise).
    bool extensionForEveryIndex = false;
};

// A SceneExport or SceneImport that answers from its table; the class adds its DoExport or
// DoImport and keeps the host's defaults for the rest.
template <typename HostBase>
class FileClass : public HostBase {
  public:
    explicit FileClass(const FileClassAnswers& answers) : answers_(answers) {}

    int ExtCount() override { return 1; }
    const char* Ext(int n) override {
        return n == 0 || answers_.extensionForEveryIndex ? answers_.extension : nullptr;
    }
    const char* LongDesc() override { return answers_.longDescription; }
    const char* ShortDesc() override { return answers_.shortDescription; }
    const char* AuthorName() override { return answers_.author; }
    const char* CopyrightMessage() override { return answers_.copyright; }
    const char* OtherMessage1() override { return ""; }
    const char* OtherMessage2() override { return ""; }
    unsigned int Version() override { return answers_.version; }
    void ShowAbout(HWND hWnd) override {}

  private:
    const FileClassAnswers& answers_;
};

// The studio's script exporters (mesh and bone scripts) by the names their sources use; they
// answer the extension for n = 0 only.
using ScriptExporterTexts = FileClassAnswers;
using ScriptExporter = FileClass<SceneExport>;
