// pellucid import qmo: a level assembled from the model scenes that a QMO list names.
#include <fmt/format.h>

#include <CLI/CLI.hpp>
#include <fstream>
#include <memory>
#include <ostream>

#include "cli/command_line.h"
#include "cli/command_outputs.h"
#include "cli/commands.h"
#include "cli/job_report.h"
#include "cli/library_classes.h"
#include "cli/scene_session.h"
#include "exchange/model_search.h"
#include "exchange/qmo_reader.h"
#include "standalone/document/scene_document_io.h"

namespace pellucid::cli {

namespace {

struct QmoImportOptions {
    std::string inputPath;
    std::string outputPath;
    std::vector<std::string> driveMaps;
    bool strict = false;
    bool json = false;
};

// One model line and what became of it.
struct PlacedModel {
    const QmoModelLine* line;
    std::string file;  // the scene file found, "" when none was
    const standalone::MergeRecord* merge = nullptr;

    bool Placed() const { return merge != nullptr && merge->merged; }
};

std::string SkipReason(const QmoSkippedLine& skipped) {
    switch (skipped.why) {
        case QmoSkippedLine::Why::NotAtStart:
            return "it mentions \"ModelBatch\" but does not start with \"ModelBatch(\"";
        case QmoSkippedLine::Why::MissingTokens:
            return fmt::format("it has {} of the 14 fields of a model line", skipped.tokens);
        case QmoSkippedLine::Why::LongToken:
            return fmt::format("field {} is longer than {} characters", skipped.token,
                               QmoTokenLimit(skipped.token));
    }
    return "";
}

// Follows the importer's steps again to tell which model went where: the same search, and the
// merges it asked of the host, in order.
std::vector<PlacedModel> MatchModels(const QmoList& list, const standalone::StandaloneHost& host,
                                     const std::string& path, JobReport& report) {
    std::vector<PlacedModel> placed;
    size_t merge = 0;
    for (const QmoModelLine& line : list.models) {
        PlacedModel model{&line, ""};
        const std::string fileName = line.model + ".max";
        if (!FindModelFile(model.file, line.directory, fileName)) {
            report.Note(fmt::format(
                "{} line {}: no file {} under {} (names are compared without regard to case; "
                "folders whose names begin with \".\" are not searched); the model is left out",
                path, line.line, fileName, line.directory));
        } else if (merge < host.Merges().size()) {
            model.merge = &host.Merges()[merge++];
            if (!model.merge->merged) {
                report.Note(fmt::format("{} line {}: {} cannot be merged: {}", path, line.line,
                                        model.file, model.merge->error));
            } else if (model.merge->topLevelNodes > 1) {
                report.Note(fmt::format(
                    "{} line {}: {} has {} top-level nodes; only the first, \"{}\", is placed",
                    path, line.line, model.file, model.merge->topLevelNodes,
                    model.merge->nodes.front()));
            }
        }
        placed.push_back(model);
    }
    return placed;
}

void ExplainList(const QmoList& list, const std::string& path, JobReport& report) {
    for (const QmoSkippedLine& skipped : list.skipped) {
        report.Note(fmt::format("{} line {}: not read as a model line: {}", path, skipped.line,
                                SkipReason(skipped)));
    }
    if (list.stop == TextLines::Stop::LongLine) {
        report.Note(
            fmt::format("{} line {}: it is longer than 1023 characters: the reading ends there",
                        path, list.endLine));
    } else if (list.stop == TextLines::Stop::Unterminated) {
        report.Note(fmt::format("{} line {}: the last line has no line end and is not read", path,
                                list.endLine));
    }
}

void WriteModelsJson(standalone::JsonWriter& json, const std::vector<PlacedModel>& models) {
    json.Key("models");
    json.BeginArray();
    for (const PlacedModel& model : models) {
        json.BeginObject();
        json.IntField("line", model.line->line);
        json.StringField("model", model.line->model);
        json.Key("file");
        if (model.file.empty()) {
            json.Null();
        } else {
            json.String(model.file);
        }
        json.BoolField("placed", model.Placed());
        WriteStrings(json, "nodes",
                     model.merge != nullptr ? model.merge->nodes : std::vector<std::string>());
        json.Key("position");
        json.Point(model.line->transform.GetTrans());
        json.EndObject();
    }
    json.EndArray();
}

int RunQmoImport(const QmoImportOptions& options, std::ostream& out, std::ostream& err) {
    JobOutput output(options.outputPath, "-o");
    std::ifstream in;
    if (!OpenImportInput(options.inputPath, output, options.json, in, err)) {
        return kExitBadInput;
    }
    const QmoList list = ReadQmoList(in);
    auto host = NewEmptyScene(options.driveMaps, err);
    if (!host) {
        return kExitBadInput;
    }
    std::unique_ptr<SceneImport> importer = CreateSceneImporter("QMO");
    if (!importer) {
        err << "pellucid: the library registers no importer for QMO files\n";
        return kExitBadInput;
    }
    importer->DoImport(options.inputPath.c_str(), host->GetImpInterface(), host.get());
    JobReport report;
    const std::vector<PlacedModel> models = MatchModels(list, *host, options.inputPath, report);
    ExplainList(list, options.inputPath, report);
    if (!SaveScene(*host, output, out, err)) {
        return kExitBadInput;
    }
    size_t placedCount = 0;
    for (const PlacedModel& model : models) {
        placedCount += model.Placed() ? 1 : 0;
    }
    std::string summary = fmt::format("wrote {} ({} of {} model{} placed)\n", output.Name(),
                                      placedCount, models.size(), models.size() == 1 ? "" : "s");
    for (const PlacedModel& model : models) {
        if (model.Placed()) {
            const Point3 at = model.line->transform.GetTrans();
            summary += fmt::format("  line {}: {} at ({}, {}, {}) from {}\n", model.line->line,
                                   model.merge->nodes.front(), at.x, at.y, at.z, model.file);
        }
    }
    return ReportJob(options.json, options.strict, output, report, *host, summary, out, err,
                     [&](standalone::JsonWriter& json) { WriteModelsJson(json, models); });
}

}  // namespace

Job DeclareImportQmoCommand(CLI::App& command) {
    auto options = std::make_shared<QmoImportOptions>();
    AddInputAndOutput(command, "file", options->inputPath, "QMO model-batch list",
                      options->outputPath, "Output scene document (*.pscene.json)");
    command.add_option("--map-drive", options->driveMaps,
                       "Map a drive letter of the list's folders to a local folder, as "
                       "LETTER=FOLDER (folders without a drive letter are relative to the "
                       "current folder)");
    AddReportFlags(command, options->strict, options->json);
    command.footer(
        "For every ModelBatch line, searches the line's folder and its subfolders for the model's "
        "scene file (the model name followed by .max, any letter case; a scene document), merges "
        "it and places its first node at the line's position (engine units times 100/4096) and "
        "orientation.");
    return [options](std::ostream& out, std::ostream& err) {
        return RunQmoImport(*options, out, err);
    };
}

}  // namespace pellucid::cli
