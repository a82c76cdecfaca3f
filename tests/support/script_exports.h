// Exporting scene documents in tests: scenes from JSON text, one export through the stand-alone
// host into a scratch file, and what it gave.
#pragma once

#include <filesystem>
#include <string>
#include <vector>

#include "standalone/document/scene_document_io.h"
#include "standalone/host/standalone_host.h"
#include "support/script_files.h"

namespace pellucid::test {

// Reads a scene document from JSON text (images and side files relative to the test data).
inline doc::Document SceneFromJson(const std::string& json) {
    return standalone::ParseSceneDocument(json, PELLUCID_TEST_DATA "/scenes", "inline.pscene.json");
}

// What one export gave: the result, the file's bytes and lines, the message boxes shown as
// "caption: text", and the host's current time afterwards.
struct ScriptExport {
    int result = 0;
    bool fileExists = false;
    std::string bytes;
    std::vector<std::string> lines;
    std::vector<std::string> messages;
    TimeValue timeAfter = 0;
};

// Exports the scene with a new `Exporter` into `path` (emptied first).
template <class Exporter>
ScriptExport RunExport(const doc::Document& document, const std::string& path) {
    ScriptExport run;
    std::filesystem::remove(path);
    standalone::StandaloneHost host(document);
    host.SetEchoMessages(false);
    run.result = Exporter().DoExport(path.c_str(), host.GetExpInterface(), &host);
    for (const auto& message : host.Messages()) {
        run.messages.push_back(message.caption + ": " + message.text);
    }
    run.timeAfter = host.GetTime();
    run.fileExists = std::filesystem::exists(path);
    run.bytes = ReadBytes(path);
    run.lines = ScriptLines(run.bytes);
    return run;
}

// The lines that begin with `prefix`, in order.
inline std::vector<std::string> LinesStartingWith(const std::vector<std::string>& lines,
                                                  const std::string& prefix) {
    std::vector<std::string> found;
    for (const std::string& line : lines) {
        if (line.compare(0, prefix.size(), prefix) == 0) {
            found.push_back(line);
        }
    }
    return found;
}

}  // namespace pellucid::test
