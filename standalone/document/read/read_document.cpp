// Entry points of the scene-document reader and its top-level pass.
#include <cerrno>
#include <cstdio>
#include <cstring>
#include <filesystem>

#include <fmt/format.h>

#include "standalone/document/json/json_syntax_error.h"
#include "standalone/document/read/read_context.h"
#include "standalone/document/scene_document_io.h"

namespace pellucid::standalone {

namespace {

constexpr std::string_view kTopLevelFields[] = {"pellucidScene", "settings",  "materials", "maps",
                                                "objects",       "modifiers", "nodes"};
enum TopLevelField { kVersion, kSettings, kMaterials, kMaps, kObjects, kModifiers, kNodes };

constexpr std::string_view kUtf8ByteOrderMark = "\xEF\xBB\xBF";

// The parser's refusal as one line, with the place of the first syntax error when it can be
// found.
[[noreturn]] void FailMalformed(const std::string& fileName, std::string_view text,
                                simdjson::error_code error) {
    if (error == simdjson::CAPACITY) {
        throw DocumentError(
            fmt::format("{}: the document is larger than the {} bytes a scene "
                        "document may have",
                        fileName, simdjson::SIMDJSON_MAXSIZE_BYTES));
    }
    if (error == simdjson::MEMALLOC) {
        throw DocumentError(fmt::format("{}: not enough memory to read the document", fileName));
    }
    if (const auto syntax = FindJsonSyntaxError(text, simdjson::DEFAULT_MAX_DEPTH)) {
        const TextPosition at = PositionOfOffset(text, syntax->offset);
        throw DocumentError(fmt::format("{}: line {}, column {}: malformed JSON: {}", fileName,
                                        at.line, at.column, syntax->message));
    }
    throw DocumentError(
        fmt::format("{}: malformed JSON: {}", fileName, simdjson::error_message(error)));
}

doc::Document ParsePadded(const simdjson::padded_string& text, const std::string& baseDirectory,
                          const std::string& fileName, const ReadOptions& options) {
    if (text.size() > simdjson::SIMDJSON_MAXSIZE_BYTES) {
        FailMalformed(fileName, {}, simdjson::CAPACITY);
    }
    // A UTF-8 byte-order mark, as some editors write at the start of a file, is not part of the
    // JSON text; lines and columns of syntax errors count from after it.
    std::string_view json(text.data(), text.size());
    if (json.starts_with(kUtf8ByteOrderMark)) {
        json.remove_prefix(kUtf8ByteOrderMark.size());
    }
    simdjson::dom::parser parser;
    simdjson::dom::element root;
    // The text keeps its padding behind the end, so the parser needs no copy of it.
    if (const simdjson::error_code error =
            parser.parse(json.data(), json.size(), false).get(root)) {
        FailMalformed(fileName, json, error);
    }
    SceneDocumentReader reader(fileName, baseDirectory, options);
    return reader.Read(root);
}

}  // namespace

doc::Document ParseSceneDocument(std::string_view json, const std::string& baseDirectory,
                                 const std::string& fileNameForMessages,
                                 const ReadOptions& options) {
    const simdjson::padded_string text(json);
    return ParsePadded(text, baseDirectory, fileNameForMessages, options);
}

doc::Document ReadSceneDocument(const std::string& path, const ReadOptions& options) {
    std::error_code error;
    if (!std::filesystem::is_regular_file(path, error)) {
        const bool exists = std::filesystem::exists(path, error);
        throw DocumentError(fmt::format("{}: {}", path, exists ? "not a file" : "no such file"));
    }
    std::FILE* file = std::fopen(path.c_str(), "rb");
    if (file == nullptr) {
        throw DocumentError(fmt::format("{}: cannot be opened: {}", path, std::strerror(errno)));
    }
    const std::uintmax_t size = std::filesystem::file_size(path, error);
    if (error || size > simdjson::SIMDJSON_MAXSIZE_BYTES) {
        std::fclose(file);
        if (error) {
            throw DocumentError(fmt::format("{}: cannot be read: {}", path, error.message()));
        }
        FailMalformed(path, {}, simdjson::CAPACITY);
    }
    simdjson::padded_string text(static_cast<std::size_t>(size));
    const std::size_t read = std::fread(text.data(), 1, text.size(), file);
    std::fclose(file);
    if (read != text.size()) {
        throw DocumentError(fmt::format("{}: cannot be read to its end", path));
    }
    return ParsePadded(text, std::filesystem::path(path).parent_path().string(), path, options);
}

SceneDocumentReader::SceneDocumentReader(std::string fileName, std::string baseDirectory,
                                         ReadOptions options)
    : JsonReader(std::move(fileName)),
      baseDirectory_(std::move(baseDirectory)),
      options_(std::move(options)) {}

void SceneDocumentReader::CheckInsideDocumentFolder(const JsonPath& path, std::string_view file,
                                                    std::string_view what) const {
    if (options_.allowOutsidePaths) {
        return;
    }
    const std::filesystem::path name{std::string(file)};
    std::string_view problem;
    if (name.has_root_name() || name.has_root_directory()) {
        problem = "is an absolute path";
    } else {
        const std::filesystem::path normal = name.lexically_normal();
        if (!normal.empty() && *normal.begin() == "..") {
            problem = "climbs out of the document's folder";
        }
    }
    if (!problem.empty()) {
        Fail(path, fmt::format("{} \"{}\" {}: files are read only from the document's folder "
                               "and below; move it there and name it relative to the document, "
                               "or {}",
                               what, file, problem, options_.allowOutsideRemedy));
    }
}

void SceneDocumentReader::ReadTopLevel(JsonElement root, const JsonPath& path) {
    const std::uint64_t seen =
        ForEachField(root, path, kTopLevelFields, [&](int field, JsonElement v, const JsonPath& p) {
            switch (field) {
                case kVersion:
                    if (v.type() != simdjson::dom::element_type::INT64 ||
                        v.get_int64().value_unsafe() != 1) {
                        Fail(p, "expected the version number 1");
                    }
                    break;
                case kSettings:
                    Object(v, p);
                    settings_ = v;
                    hasSettings_ = true;
                    break;
                case kMaterials:
                    materials_ = {v, true, {}};
                    break;
                case kMaps:
                    maps_ = {v, true, {}};
                    break;
                case kObjects:
                    objects_ = {v, true, {}};
                    break;
                case kModifiers:
                    modifiers_ = {v, true, {}};
                    break;
                case kNodes:
                    Array(v, p);
                    nodes_ = v;
                    hasNodes_ = true;
                    break;
            }
        });
    Require(seen, kTopLevelFields, kVersion, path);
}

doc::Document SceneDocumentReader::Read(JsonElement root) {
    document_.baseDirectory = baseDirectory_;
    ReadTopLevel(root, root_);

    const JsonPath materialsPath = root_.Field("materials");
    const JsonPath mapsPath = root_.Field("maps");
    const JsonPath objectsPath = root_.Field("objects");
    const JsonPath modifiersPath = root_.Field("modifiers");
    IndexSharedIds(materials_, materialsPath, "material");
    IndexSharedIds(maps_, mapsPath, "map");
    IndexSharedIds(objects_, objectsPath, "object");
    IndexSharedIds(modifiers_, modifiersPath, "modifier");
    document_.materials.resize(materials_.ids.size());
    document_.maps.resize(maps_.ids.size());
    document_.objects.resize(objects_.ids.size());
    document_.modifiers.resize(modifiers_.ids.size());
    if (hasNodes_) {
        IndexNodeTree(nodes_, root_.Field("nodes"));
    }

    if (hasSettings_) {
        ReadSettings(settings_, root_.Field("settings"));
    }
    // Entries written in place are appended while the shared ones are read, so each shared
    // entry is read into a local first.
    if (materials_.present) {
        ForEachItem(materials_.array, materialsPath,
                    [&](std::size_t i, JsonElement item, const JsonPath& p) {
                        doc::Material material = ReadMaterial(item, p, true);
                        document_.materials[i] = std::move(material);
                    });
    }
    if (maps_.present) {
        ForEachItem(maps_.array, mapsPath, [&](std::size_t i, JsonElement item, const JsonPath& p) {
            doc::Map map = ReadMap(item, p, true);
            document_.maps[i] = std::move(map);
        });
    }
    if (objects_.present) {
        ForEachItem(objects_.array, objectsPath,
                    [&](std::size_t i, JsonElement item, const JsonPath& p) {
                        doc::Object object = ReadObject(item, p, true);
                        document_.objects[i] = std::move(object);
                    });
    }
    if (modifiers_.present) {
        ForEachItem(modifiers_.array, modifiersPath,
                    [&](std::size_t i, JsonElement item, const JsonPath& p) {
                        doc::Modifier modifier = ReadModifier(item, p, true);
                        document_.modifiers[i] = std::move(modifier);
                    });
    }
    for (std::size_t i = 0; i < nodeSources_.size(); ++i) {
        ReadNodeBody(static_cast<int>(i));
    }

    ValidateDocument(document_, FileName());
    return std::move(document_);
}

}  // namespace pellucid::standalone
