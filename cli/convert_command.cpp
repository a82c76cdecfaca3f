// pellucid convert: an interchange asset saved as a scene document, with its embedded images
// written beside it.
#include <fmt/format.h>

#include <CLI/CLI.hpp>
#include <filesystem>
#include <fstream>
#include <memory>
#include <ostream>
#include <system_error>
#include <vector>

#include "cli/command_line.h"
#include "cli/commands.h"
#include "cli/import_watchdog.h"
#include "cli/output_file.h"
#include "standalone/document/json/json_writer.h"
#include "standalone/document/scene_document_io.h"
#include "standalone/interchange/interchange_import.h"

namespace pellucid::cli {

namespace fs = std::filesystem;

namespace {

bool SameFile(const fs::path& a, const fs::path& b) {
    std::error_code error;
    return fs::exists(b, error) && fs::equivalent(a, b, error);
}

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

// The report as JSON text; JsonWriteError for text that is not UTF-8 (such as a file name).
std::string JsonReport(const interchange::ConversionReport& report, const std::string& input,
                       const std::string& output) {
    standalone::JsonWriter json(8);
    json.BeginObject();
    json.Key("input");
    json.String(input);
    json.Key("output");
    json.String(output);
    json.Key("format");
    json.String(report.format);
    json.Key("animation");
    json.String(report.animation);
    json.Key("turnedZUp");
    json.Bool(report.turnedZUp);
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
        json.Key(name);
        json.Int(value);
    }
    json.EndObject();
    json.Key("notes");
    json.BeginArray();
    for (const interchange::ConversionNote& note : report.notes) {
        json.BeginObject();
        json.Key("kind");
        json.String(note.kind);
        json.Key("text");
        json.String(note.text);
        json.EndObject();
    }
    json.EndArray();
    json.EndObject();
    return json.Text() + "\n";
}

}  // namespace

int RunConvertCommand(const ConvertOptions& options, std::ostream& out, std::ostream& err) {
    const fs::path input(options.inputPath);
    const fs::path output(options.outputPath);
    if (SameFile(input, output)) {
        err << fmt::format("pellucid: {}: is the input; give the document another name\n",
                           options.outputPath);
        return kExitBadInput;
    }
    interchange::ConversionOptions conversionOptions;
    conversionOptions.animation = options.animation;
    conversionOptions.scale = options.scale;
    conversionOptions.timeLimitSeconds = options.timeLimitSeconds;
    interchange::Conversion conversion;
    try {
        const ImportWatchdog watchdog(options.inputPath, options.timeLimitSeconds);
        conversion = interchange::ConvertInterchangeFile(options.inputPath, conversionOptions);
    } catch (const interchange::ConversionError& e) {
        err << "pellucid: " << e.what() << "\n";
        return kExitBadInput;
    }
    doc::Document& document = conversion.document;
    std::string jsonReport;
    if (options.json) {
        try {
            jsonReport = JsonReport(conversion.report, options.inputPath, options.outputPath);
        } catch (const standalone::JsonWriteError& e) {
            err << fmt::format("pellucid: the report cannot be written as JSON: {}\n", e.what());
            return kExitBadInput;
        }
    }

    // Embedded images go beside the document, named after it; the document names them from
    // where the asset was, so that saving makes the paths relative to the document.
    std::error_code error;
    const fs::path outputFolder = fs::absolute(output, error).parent_path().lexically_normal();
    const fs::path assetFolder = fs::path(document.baseDirectory).lexically_normal();
    const std::string stem = DocumentStem(output);
    std::vector<std::unique_ptr<OutputFile>> images;
    for (const interchange::EmbeddedImage& image : conversion.embeddedImages) {
        const fs::path target = outputFolder / (stem + "." + image.path);
        if (SameFile(input, target)) {
            err << fmt::format("pellucid: {}: is the input; give the document another name\n",
                               target.string());
            return kExitBadInput;
        }
        images.push_back(std::make_unique<OutputFile>(target));
        std::ofstream file(images.back()->TemporaryPath(), std::ios::binary);
        file.write(image.bytes.data(), static_cast<std::streamsize>(image.bytes.size()));
        file.close();
        if (!file) {
            err << fmt::format("pellucid: {}: cannot be written\n", target.string());
            return kExitBadInput;
        }
        const std::string relative = target.lexically_relative(assetFolder).generic_string();
        for (doc::Map& map : document.maps) {
            if (map.image.kind == doc::Image::Kind::File && map.image.path == image.path) {
                map.image.path = relative.empty() ? target.generic_string() : relative;
            }
        }
    }
    try {
        standalone::WriteSceneDocument(document, options.outputPath);
    } catch (const standalone::DocumentError& e) {
        err << "pellucid: " << e.what() << "\n";
        return kExitBadInput;
    }
    for (const auto& image : images) {
        std::string reason;
        if (!image->Commit(reason)) {
            err << fmt::format("pellucid: {}: {}\n", image->TemporaryPath().string(), reason);
            fs::remove(output, error);
            return kExitBadInput;
        }
    }

    if (options.json) {
        out << jsonReport;
    } else {
        for (const std::string& line : interchange::DescribeConversion(conversion.report)) {
            err << "note: " << options.inputPath << ": " << line << "\n";
        }
        out << fmt::format("wrote {}\n", options.outputPath);
    }
    return kExitOk;
}

Job DeclareConvertCommand(CLI::App& command) {
    auto options = std::make_shared<ConvertOptions>();
    command.add_option("input", options->inputPath, "The asset (.gltf .glb .fbx .3ds .dae .obj)")
        ->required()
        ->check(CLI::ExistingFile);
    command.add_option("-o,--output", options->outputPath, "The scene document (*.pscene.json)")
        ->required();
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
