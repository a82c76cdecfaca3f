#include "cli/job_report.h"

#include <fmt/format.h>

#include <filesystem>
#include <ostream>

#include "cli/command_line.h"

namespace pellucid::cli {

bool RefuseOutputOverInput(const std::string& input, const std::string& output, std::ostream& err) {
    namespace fs = std::filesystem;
    std::error_code ec;
    const bool same = fs::exists(output, ec)
                          ? fs::equivalent(input, output, ec)
                          : fs::weakly_canonical(input, ec) == fs::weakly_canonical(output, ec);
    if (same) {
        err << fmt::format(
            "pellucid: {}: the output would replace the input {}; choose another output file\n",
            output, input);
    }
    return same;
}

bool FinishOutput(OutputFile& output, const std::string& shownPath, std::ostream& err) {
    if (!output.Written()) {
        // The library's exporters write nothing, silently, when they cannot open their file.
        err << fmt::format("pellucid: {}: cannot be written\n", shownPath);
        return false;
    }
    std::string error;
    if (!output.Commit(error)) {
        err << fmt::format("pellucid: {}: {}\n", shownPath, error);
        return false;
    }
    return true;
}

void JobReport::PrintNotes(std::ostream& err) const {
    for (const std::string& note : notes_) {
        err << "note: " << note << "\n";
    }
}

void JobReport::WriteJson(standalone::JsonWriter& json,
                          const standalone::StandaloneHost& host) const {
    json.Key("notes");
    json.BeginArray();
    for (const std::string& note : notes_) {
        json.String(note);
    }
    json.EndArray();
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
