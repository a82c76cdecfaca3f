#include "cli/job_report.h"

#include <fmt/format.h>

#include <CLI/CLI.hpp>
#include <filesystem>
#include <ostream>

#include "cli/command_line.h"
#include "cli/scene_session.h"
#include "standalone/document/scene_document_io.h"

namespace pellucid::cli {

void AddReportFlags(CLI::App& command, bool& strict, bool& json) {
    command.add_flag("--strict", strict,
                     "Exit with code 1 when there is any note or message box (the output is "
                     "still written)");
    command.add_flag("--json", json, "Print the report as JSON on standard output");
}

bool CheckJobOutput(const JobOutput& output, const std::vector<std::string>& inputs, bool json,
                    std::ostream& err, const char* what) {
    if (json && output.IsStandardOutput()) {
        err << fmt::format(
            "pellucid: --json and -o - would both write to standard output; write the {} to a "
            "file\n",
            what);
        return false;
    }
    return output.Check(inputs, err);
}

std::unique_ptr<standalone::StandaloneHost> LoadJobScene(const SceneOptions& scene,
                                                         const JobOutput& output, bool json,
                                                         std::ostream& err, const char* what) {
    if (!CheckJobOutput(output, {scene.scenePath}, json, err, what)) {
        return nullptr;
    }
    auto host = LoadScene(scene, err);
    if (!host || !output.Check(SceneInputFiles(scene, *host), err)) {
        return nullptr;
    }
    return host;
}

void AddInputAndOutput(CLI::App& command, const char* name, std::string& input,
                       const char* inputHelp, std::string& output, const char* outputHelp) {
    command.add_option(name, input, inputHelp)->required()->check(CLI::ExistingFile);
    command.add_option("-o,--output", output, outputHelp)->required();
}

std::ostream& SummaryStream(const JobOutput& output, std::ostream& out, std::ostream& err) {
    return output.IsStandardOutput() ? err : out;
}

bool OpenImportInput(const std::string& input, const JobOutput& output, bool json,
                     std::ifstream& in, std::ostream& err) {
    if (!CheckJobOutput(output, {input}, json, err, "document")) {
        return false;
    }
    in.open(input, std::ios::binary);
    if (!in) {
        err << fmt::format("pellucid: {}: cannot be read\n", input);
        return false;
    }
    return true;
}

void WriteStrings(standalone::JsonWriter& json, const char* key,
                  const std::vector<std::string>& texts) {
    json.Key(key);
    json.BeginArray();
    for (const std::string& text : texts) {
        json.String(text);
    }
    json.EndArray();
}

void WriteMeshCounts(standalone::JsonWriter& json, const std::string& node, int vertices,
                     int faces) {
    json.StringField("node", node);
    json.IntField("vertices", vertices);
    json.IntField("faces", faces);
}

void JobReport::PrintNotes(std::ostream& err) const {
    for (const std::string& note : notes_) {
        err << "note: " << note << "\n";
    }
}

void JobReport::WriteJson(standalone::JsonWriter& json,
                          const standalone::StandaloneHost& host) const {
    WriteStrings(json, "notes", notes_);
    json.Key("messages");
    json.BeginArray();
    for (const auto& message : host.Messages()) {
        json.BeginObject();
        json.StringField("caption", message.caption);
        json.StringField("text", message.text);
        json.EndObject();
    }
    json.EndArray();
}

int SucceededExitCode(bool strict, const JobReport& report,
                      const standalone::StandaloneHost& host) {
    const bool findings = !report.Notes().empty() || !host.Messages().empty();
    return strict && findings ? kExitFindings : kExitOk;
}

}  // namespace pellucid::cli
