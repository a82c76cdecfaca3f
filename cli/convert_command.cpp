// pellucid convert: an interchange asset saved as a scene document, with its embedded images
// written beside it.
#include <fmt/format.h>

#include <CLI/CLI.hpp>
#include <algorithm>
#include <filesystem>
#include <memory>
#include <optional>
#include <ostream>
#include <system_error>
#include <vector>

#include "cli/command_line.h"
#include "cli/command_outputs.h"
#include "cli/commands.h"
#include "cli/import_watchdog.h"
#include "cli/job_notes.h"
#include "cli/job_report.h"
#include "cli/scene_survey.h"
#include "standalone/document/json/json_writer.h"
#include "standalone/document/scene_document_io.h"
#include "standalone/interchange/interchange_import.h"

namespace pellucid::cli {

namespace fs = std::filesystem;

namespace {

// "out.pscene.json" -> "out": the stem that names the images written beside the document.
std::string DocumentStem(const fs::path& output) {
    std::string name = output.filename().string();
    for (const std::string suffix : {".pscene.json", ".json"}) {
        if (name.size() > suffix.size() &&
            name.compare(name.size() - suffix.size(), suffix.size(), suffix) == 0) {
            return name.substr(0, name.size() - suffix.size());
        }
    }
    return name;
}

fs::path AbsoluteFolder(const fs::path& folder) {
    std::error_code error;
    const fs::path absolute = fs::absolute(folder.empty() ? fs::path(".") : folder, error);
    return (error ? folder : absolute).lexically_normal();
}

// Notes on the image files that the saved document names outside `documentFolder`: a document is
// read with the files of its own folder and below only, so such a document needs a switch to be
// read back. Image paths are relative to `assetFolder`, as the conversion gives them.
std::vector<Finding> OutsideImageNotes(const doc::Document& document, const fs::path& assetFolder,
                                       const fs::path& documentFolder,
                                       const std::string& documentName) {
    std::vector<Finding> notes;
    std::vector<std::string> named;
    for (const doc::Map& map : document.maps) {
        const std::string& path = map.image.path;
        if (map.image.kind != doc::Image::Kind::File || path.empty() ||
            std::find(named.begin(), named.end(), path) != named.end()) {
            continue;
        }
        named.push_back(path);
        const fs::path image = fs::path(path).is_absolute()
                                   ? fs::path(path).lexically_normal()
                                   : (assetFolder / path).lexically_normal();
        const fs::path relative = image.lexically_relative(documentFolder);
        const bool outside =
            fs::path(path).is_absolute() || relative.empty() || *relative.begin() == "..";
        if (!outside) {
            continue;
        }
        notes.push_back(
            {"image-outside-folder",
             fmt::format("{}: names the image {} outside the document's folder, so the document "
                         "is read back only with --allow-outside-files; to avoid that, save the "
                         "document beside the asset (in {})",
                         documentName, image.generic_string(), assetFolder.generic_string())});
    }
    return notes;
}

// The report as JSON text; JsonWriteError for text that is not UTF-8 (such as a file name).
std::string JsonReport(const interchange::ConversionReport& report, const std::string& input,
                       const std::string& output, const std::vector<Finding>& notes) {
    standalone::JsonWriter json(8);
    json.BeginObject();
    json.StringField("input", input);
    json.StringField("output", output);
    json.StringField("format", report.format);
    json.StringField("animation", report.animation);
    json.BoolField("turnedZUp", report.turnedZUp);
    const interchange::ConversionCounts& c = report.counts;
    json.Key("counts");
    json.BeginObject();
    for (const auto& [name, value] :
         std::vector<std::pair<const char*, int>>{{"nodes", c.nodes},
                                                  {"meshes", c.meshes},
                                                  {"vertices", c.vertices},
                                                  {"faces", c.faces},
                                                  {"materials", c.materials},
                                                  {"bitmaps", c.bitmaps},
                                                  {"bones", c.bones},
                                                  {"skins", c.skins},
                                                  {"morphChannels", c.morphChannels},
                                                  {"positionKeys", c.positionKeys},
                                                  {"rotationKeys", c.rotationKeys},
                                                  {"scaleKeys", c.scaleKeys}}) {
        json.IntField(name, value);
    }
    json.EndObject();
    std::vector<Finding> all;
    for (const interchange::ConversionNote& note : report.notes) {
        all.push_back({note.kind, note.text});
    }
    all.insert(all.end(), notes.begin(), notes.end());
    json.Key("notes");
    WriteFindingsJson(json, all);
    json.EndObject();
    return json.Text() + "\n";
}

// Converts the asset; nothing, after printing why, when it cannot be read.
std::optional<interchange::Conversion> Convert(const ConvertOptions& options, std::ostream& err) {
    interchange::ConversionOptions conversionOptions;
    conversionOptions.animation = options.animation;
    conversionOptions.scale = options.scale;
    conversionOptions.timeLimitSeconds = options.timeLimitSeconds;
    try {
        const ImportWatchdog watchdog(options.inputPath, options.timeLimitSeconds);
        return interchange::ConvertInterchangeFile(options.inputPath, conversionOptions);
    } catch (const interchange::ConversionError& e) {
        err << "pellucid: " << e.what() << "\n";
        return std::nullopt;
    }
}

}  // namespace

int RunConvertCommand(const ConvertOptions& options, std::ostream& out, std::ostream& err) {
    JobOutput output(options.outputPath, "-o");
    if (!CheckJobOutput(output, {options.inputPath}, options.json, err, "document")) {
        return kExitBadInput;
    }
    std::optional<interchange::Conversion> conversion = Convert(options, err);
    if (!conversion) {
        return kExitBadInput;
    }
    doc::Document& document = conversion->document;
    if (output.IsStandardOutput() && !conversion->embeddedImages.empty()) {
        err << fmt::format(
            "pellucid: -o -: {} embeds {}: embedded images are written as files beside the "
            "document; give -o the document's file name\n",
            options.inputPath, Counted(conversion->embeddedImages.size(), "image", "images"));
        return kExitBadInput;
    }

    // Embedded images go beside the document, named after it; the document names them from
    // where the asset was, so that saving makes the paths relative to the document.
    const fs::path assetFolder = AbsoluteFolder(document.baseDirectory);
    const fs::path outputFolder = AbsoluteFolder(fs::path(options.outputPath).parent_path());
    const std::string stem = DocumentStem(options.outputPath);
    std::vector<std::unique_ptr<JobOutput>> images;
    for (const interchange::EmbeddedImage& image : conversion->embeddedImages) {
        const fs::path target = outputFolder / (stem + "." + image.path);
        auto file = std::make_unique<JobOutput>(target.string(), "image");
        if (!file->Check({options.inputPath}, err)) {
            return kExitBadInput;
        }
        const int error = file->WriteTemporary(image.bytes);
        if (error != 0) {
            file->Finish(out, err, error);
            return kExitBadInput;
        }
        const std::string relative = target.lexically_relative(assetFolder).generic_string();
        for (doc::Map& map : document.maps) {
            if (map.image.kind == doc::Image::Kind::File && map.image.path == image.path) {
                map.image.path = relative.empty() ? target.generic_string() : relative;
            }
        }
        images.push_back(std::move(file));
    }
    const std::vector<Finding> notes =
        OutsideImageNotes(document, assetFolder,
                          output.IsStandardOutput() ? assetFolder : outputFolder, output.Name());

    std::string jsonReport;
    if (options.json) {
        try {
            jsonReport = JsonReport(conversion->report, options.inputPath, output.Name(), notes);
        } catch (const standalone::JsonWriteError& e) {
            err << fmt::format("pellucid: the report cannot be written as JSON: {}\n", e.what());
            return kExitBadInput;
        }
    }
    if (!SaveDocument(document, output, out, err)) {
        return kExitBadInput;
    }
    // The document names every image: when one cannot be put in place, none is left.
    for (size_t i = 0; i < images.size(); ++i) {
        if (!images[i]->Finish(out, err)) {
            std::error_code error;
            fs::remove(options.outputPath, error);
            for (size_t j = 0; j < i; ++j) {
                fs::remove(images[j]->Name(), error);
            }
            return kExitBadInput;
        }
    }

    if (options.json) {
        out << jsonReport;
    } else {
        for (const std::string& line : interchange::DescribeConversion(conversion->report)) {
            err << "note: " << options.inputPath << ": " << line << "\n";
        }
        for (const Finding& note : notes) {
            err << "note: " << note.text << "\n";
        }
        SummaryStream(output, out, err) << fmt::format("wrote {}\n", output.Name());
    }
    return kExitOk;
}

Job DeclareConvertCommand(CLI::App& command) {
    auto options = std::make_shared<ConvertOptions>();
    AddInputAndOutput(command, "input", options->inputPath,
                      "The asset (.gltf .glb .fbx .3ds .dae .obj)", options->outputPath,
                      "The scene document (*.pscene.json; - for standard output)");
    command.add_option("--animation", options->animation,
                       "The animation to convert into keys (default: the asset's first)");
    command
        .add_option("--scale", options->scale,
                    "Multiply every length by this factor (default 1: units kept)")
        ->check(CLI::PositiveNumber);
    command
        .add_option("--time-limit", options->timeLimitSeconds,
                    "Give up reading the asset after this many seconds (default 60)")
        ->check(CLI::PositiveNumber);
    command.add_flag("--json", options->json, "Print the report as JSON on standard output");
    return [options](std::ostream& out, std::ostream& err) {
        return RunConvertCommand(*options, out, err);
    };
}

}  // namespace pellucid::cli
