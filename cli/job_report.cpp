#include "cli/job_report.h"

#include <fmt/format.h>

#include <CLI/CLI.hpp>
#include <filesystem>
#include <ostream>

#include "cli/command_line.h"
#include "standalone/document/scene_document_io.h"

namespace pellucid::cli {

void AddReportFlags(CLI::App& command, bool& strict, bool& json) {
    command.add_flag("--strict", strict,
                     "Exit with code 1 when there is any note or message box (the output is "
                     "still written)");
    command.add_flag("--json", json, "Print the report as JSON on standard output");
}

bool CheckJobOutput(const JobOutput& output, const std::vector<std::string>& inputs, bool json,
                    std::ostream& err) {
    if (json && output.IsStandardOutput()) {
        err << "pellucid: --json and -o - would both write to standard output; write the output "
               "to a file\n";
        return false;
    }
    return output.Check(inputs, err);
}

std::ostream& SummaryStream(const JobOutput& output, std::ostream& out, std::ostream& err) {
    return output.IsStandardOutput() ? err : out;
}

bool OpenImportInput(const std::string& input, std::ifstream& in, std::ostream& err) {
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
    json.Key("node");
    json.String(node);
    json.Key("vertices");
    json.Int(vertices);
    json.Key("faces");
    json.Int(faces);
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
        json.Key("caption");
        json.String(message.caption);
        json.Key("text");
        json.String(message.text);
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
