// pellucid validate: the scene as the exporters will see it, and what each export would say about
// it, without writing anything. Both script exports run into scratch files so that their message
// boxes are the library's own, not a guess.
#include <fmt/format.h>

#include <unistd.h>
#include <CLI/CLI.hpp>
#include <algorithm>
#include <filesystem>
#include <memory>
#include <ostream>
#include <sstream>

#include "cli/command_line.h"
#include "cli/commands.h"
#include "cli/job_guard.h"
#include "cli/job_notes.h"
#include "cli/job_report.h"
#include "cli/library_classes.h"
#include "cli/message_notes.h"
#include "cli/nonfinite_scan.h"
#include "cli/output_file.h"
#include "cli/scene_session.h"
#include "cli/scene_survey.h"
#include "cli/survey_report.h"

namespace pellucid::cli {

namespace {

struct ValidateOptions {
    SceneOptions scene;
    bool json = false;
    bool strict = false;
};

struct ExportRun {
    const char* format;
    const char* label;
    std::vector<standalone::HostMessage> messages;
    // The notes of each message, then the notes of the run (silent drops, non-finite numbers).
    std::vector<std::vector<Finding>> messageNotes;
    std::vector<Finding> notes;
};

// Runs the exporter of `format` into a scratch file and collects what it shows.
ExportRun DryRun(standalone::StandaloneHost& host, const SceneSurvey& survey, const char* format,
                 const char* label) {
    ExportRun run{format, label, {}, {}, {}};
    std::unique_ptr<SceneExport> exporter = CreateSceneExporter(format);
    if (!exporter) {
        return run;
    }
    const OutputFile scratch(std::filesystem::temp_directory_path() /
                             fmt::format("pellucid-validate-{}.{}", ::getpid(), format));
    MessageNotes explain(survey);
    host.SetMessageListener([&](const standalone::HostMessage& message) {
        run.messages.push_back(message);
        run.messageNotes.push_back(explain.For(message));
    });
    {
        const HostStateGuard guard(host);
        exporter->DoExport(scratch.TemporaryPath().c_str(), host.GetExpInterface(), &host);
    }
    host.SetMessageListener(nullptr);
    run.notes = SilentFindingsFor(survey, format);
    for (Finding& finding :
         FindNonFiniteNumbers(scratch.TemporaryPath().string(), "the script", survey)) {
        run.notes.push_back(std::move(finding));
    }
    return run;
}

bool SameFinding(const Finding& a, const Finding& b) {
    return a.kind == b.kind && a.text == b.text;
}

// The notes that every run makes, taken out of the runs' own notes so that each is said once.
std::vector<Finding> TakeCommonNotes(std::vector<ExportRun>& runs) {
    std::vector<Finding> common;
    if (runs.empty()) {
        return common;
    }
    for (const Finding& note : runs.front().notes) {
        bool everywhere = true;
        for (const ExportRun& run : runs) {
            everywhere = everywhere &&
                         std::any_of(run.notes.begin(), run.notes.end(), [&](const Finding& other) {
                             return SameFinding(note, other);
                         });
        }
        if (everywhere) {
            common.push_back(note);
        }
    }
    for (ExportRun& run : runs) {
        std::erase_if(run.notes, [&](const Finding& note) {
            return std::any_of(common.begin(), common.end(),
                               [&](const Finding& other) { return SameFinding(note, other); });
        });
    }
    return common;
}

void PrintRun(std::ostream& out, const ExportRun& run) {
    out << fmt::format("{} ({}): {}\n", run.label, run.format,
                       run.messages.empty()
                           ? std::string("no message box")
                           : Counted(run.messages.size(), "message box", "message boxes"));
    for (size_t i = 0; i < run.messages.size(); ++i) {
        out << fmt::format("  {}: {}\n", run.messages[i].caption, run.messages[i].text);
        for (const Finding& note : run.messageNotes[i]) {
            out << "    note: " << note.text << "\n";
        }
    }
    for (const Finding& note : run.notes) {
        out << "  note: " << note.text << "\n";
    }
}

void WriteRunJson(standalone::JsonWriter& json, const ExportRun& run) {
    json.BeginObject();
    json.StringField("format", run.format);
    WriteMessagesJson(json, run.messages, run.messageNotes);
    json.Key("notes");
    WriteFindingsJson(json, run.notes);
    json.EndObject();
}

int RunValidateCommand(const ValidateOptions& options, std::ostream& out, std::ostream& err) {
    auto host = LoadScene(options.scene, err);
    if (!host) {
        return kExitBadInput;
    }
    host->SetEchoMessages(false);
    const SceneSurvey survey = SurveyScene(*host);
    std::vector<ExportRun> runs = {DryRun(*host, survey, "MEF", "mesh export"),
                                   DryRun(*host, survey, "BEF", "bone export")};
    const std::vector<Finding> common = TakeCommonNotes(runs);
    size_t messages = 0;
    size_t notes = common.size();
    for (const ExportRun& run : runs) {
        messages += run.messages.size();
        notes += run.notes.size();
    }
    const bool passed = messages == 0 && (!options.strict || notes == 0);

    if (options.json) {
        PrintJson(out, [&](standalone::JsonWriter& json) {
            json.StringField("scene", options.scene.scenePath);
            json.BoolField("passed", passed);
            json.IntField("messageBoxes", static_cast<int64_t>(messages));
            WriteSurveyJson(json, survey);
            json.Key("exports");
            json.BeginArray();
            for (const ExportRun& run : runs) {
                WriteRunJson(json, run);
            }
            json.EndArray();
            json.Key("commonNotes");
            WriteFindingsJson(json, common);
        });
    } else {
        PrintNodeTree(out, survey, true);
        PrintSkeletonCounts(out, survey);
        PrintObjectSummary(out, survey);
        for (const ExportRun& run : runs) {
            PrintRun(out, run);
        }
        if (!common.empty()) {
            out << "both exports:\n";
            for (const Finding& note : common) {
                out << "  note: " << note.text << "\n";
            }
        }
        out << (messages == 0 ? std::string("no export shows a message box")
                              : fmt::format("an export would show {}",
                                            Counted(messages, "message box", "message boxes")))
            << "\n";
    }
    return passed ? kExitOk : kExitFindings;
}

}  // namespace

Job DeclareValidateCommand(CLI::App& command) {
    auto options = std::make_shared<ValidateOptions>();
    AddSceneOptions(command, options->scene);
    command.add_flag("--json", options->json, "Print the report as JSON on standard output");
    command.add_flag("--strict", options->strict,
                     "Exit with code 1 for notes too, not only for message boxes");
    return [options](std::ostream& out, std::ostream& err) {
        return RunValidateCommand(*options, out, err);
    };
}

}  // namespace pellucid::cli
