// What the exchange and evaluation commands share around their job: checking the output before
// the work, opening an importer's input, and a report of notes that is printed for a person or
// written as JSON.
#pragma once

#include <fstream>
#include <iosfwd>
#include <memory>
#include <ostream>
#include <string>
#include <vector>

#include "cli/commands.h"
#include "cli/job_output.h"
#include "standalone/document/json/json_writer.h"
#include "standalone/host/standalone_host.h"

namespace CLI {
class App;
}

namespace pellucid::cli {

// Declares --strict and --json.
void AddReportFlags(CLI::App& command, bool& strict, bool& json);

// Before the job: false, after printing why, when the output names one of `inputs` or cannot be
// created, or when --json and the output (`what`: "script", "document") would both go to
// standard output.
bool CheckJobOutput(const JobOutput& output, const std::vector<std::string>& inputs, bool json,
                    std::ostream& err, const char* what = "output");
// Checks the output against the scene file, loads the scene, then checks the output against the
// files the scene was read from; nothing, after printing why, when one of them fails.
std::unique_ptr<standalone::StandaloneHost> LoadJobScene(const SceneOptions& scene,
                                                         const JobOutput& output, bool json,
                                                         std::ostream& err,
                                                         const char* what = "output");
// Where the summary goes: standard error while the output itself goes to standard output.
std::ostream& SummaryStream(const JobOutput& output, std::ostream& out, std::ostream& err);

// Checks an importer's output against its input, then opens the input; false after printing why.
bool OpenImportInput(const std::string& input, const JobOutput& output, bool json,
                     std::ifstream& in, std::ostream& err);

// Notes that explain what the library did without a word: what it passed over, where a file's
// reading ended.
class JobReport {
  public:
    void Note(std::string text) { notes_.push_back(std::move(text)); }
    const std::vector<std::string>& Notes() const { return notes_; }
    // "note: ..." lines.
    void PrintNotes(std::ostream& err) const;
    // "notes": [...] and "messages": [{"caption", "text"}] of the host's message boxes.
    void WriteJson(standalone::JsonWriter& json, const standalone::StandaloneHost& host) const;

  private:
    std::vector<std::string> notes_;
};

// The exit code of a job that succeeded: findings (1) under --strict when there are notes or
// message boxes.
int SucceededExitCode(bool strict, const JobReport& report, const standalone::StandaloneHost& host);

// Declares the input file (positional `name`, which must exist) and the required -o.
void AddInputAndOutput(CLI::App& command, const char* name, std::string& input,
                       const char* inputHelp, std::string& output, const char* outputHelp);

// Field `key` as an array of texts.
void WriteStrings(standalone::JsonWriter& json, const char* key,
                  const std::vector<std::string>& texts);
// The fields "node", "vertices" and "faces" of the object being written.
void WriteMeshCounts(standalone::JsonWriter& json, const std::string& node, int vertices,
                     int faces);

// Prints the JSON document that `write` fills, on one object, to `out`.
template <typename Write>
void PrintJson(std::ostream& out, Write write) {
    standalone::JsonWriter json(16);
    json.BeginObject();
    write(json);
    json.EndObject();
    out << json.Text() << "\n";
}

// The end of a job that succeeded: with --json one object of "output", the fields that
// `writeFields` adds, "notes" and "messages"; otherwise the notes on standard error, then
// `summary` (whole lines) where SummaryStream puts it. Gives the exit code.
template <typename WriteFields>
int ReportJob(bool json, bool strict, const JobOutput& output, const JobReport& report,
              const standalone::StandaloneHost& host, const std::string& summary, std::ostream& out,
              std::ostream& err, WriteFields writeFields) {
    if (json) {
        PrintJson(out, [&](standalone::JsonWriter& writer) {
            writer.StringField("output", output.Name());
            writeFields(writer);
            report.WriteJson(writer, host);
        });
    } else {
        report.PrintNotes(err);
        SummaryStream(output, out, err) << summary;
    }
    return SucceededExitCode(strict, report, host);
}

}  // namespace pellucid::cli
