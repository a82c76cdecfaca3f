// Reading an asset with Assimp: the post-processing asked of it, the time limit, and the errors
// turned into one-line messages.
#include "standalone/interchange/interchange_import.h"

#include <assimp/importerdesc.h>
#include <assimp/postprocess.h>
#include <assimp/scene.h>
#include <assimp/Importer.hpp>
#include <assimp/ProgressHandler.hpp>

#include <chrono>
#include <cmath>
#include <filesystem>
#include <new>

#include <fmt/format.h>

#include "standalone/interchange/scene_converter.h"

namespace pellucid::interchange {

namespace {

// Cancels the import once the time limit has passed; loaders report progress between their steps.
class Deadline : public Assimp::ProgressHandler {
  public:
    explicit Deadline(double seconds)
        : end_(std::chrono::steady_clock::now() +
               std::chrono::duration_cast<std::chrono::steady_clock::duration>(
                   std::chrono::duration<double>(seconds))) {}
    bool Update(float) override {
        expired_ = expired_ || std::chrono::steady_clock::now() > end_;
        return !expired_;
    }
    bool Expired() const { return expired_; }

  private:
    std::chrono::steady_clock::time_point end_;
    bool expired_ = false;
};

// Triangles only, checked for broken indices; welding and normals are the conversion's own work,
// so the importer's costly vertex joining and normal generation are not asked for.
constexpr unsigned kPostProcess = aiProcess_Triangulate | aiProcess_ValidateDataStructure;

std::string FormatName(Assimp::Importer& importer, const std::string& path) {
    std::string extension = std::filesystem::path(path).extension().string();
    if (!extension.empty()) {
        extension.erase(0, 1);
    }
    const size_t index = importer.GetImporterIndex(extension.c_str());
    const aiImporterDesc* description =
        index == static_cast<size_t>(-1) ? nullptr : importer.GetImporterInfo(index);
    return description != nullptr ? description->mName : extension;
}

}  // namespace

Conversion ConvertInterchangeFile(const std::string& path, const ConversionOptions& options) {
    std::error_code error;
    if (!std::filesystem::is_regular_file(path, error)) {
        throw ConversionError(fmt::format("{}: is not a readable file", path));
    }
    if (!(options.scale > 0.0f) || !std::isfinite(options.scale)) {
        throw ConversionError(
            fmt::format("{}: the scale must be a positive number, not {}", path, options.scale));
    }
    Assimp::Importer importer;
    auto* deadline = new Deadline(options.timeLimitSeconds);  // the importer owns it
    importer.SetProgressHandler(deadline);
    const aiScene* scene = nullptr;
    try {
        scene = importer.ReadFile(path, kPostProcess);
    } catch (const std::bad_alloc&) {
        throw ConversionError(fmt::format("{}: the file asks for more memory than there is", path));
    } catch (const std::exception& e) {
        throw ConversionError(fmt::format("{}: cannot be read: {}", path, e.what()));
    }
    if (deadline->Expired()) {
        throw ConversionError(fmt::format("{}: reading took longer than {} s and was stopped", path,
                                          options.timeLimitSeconds));
    }
    if (scene == nullptr) {
        std::string reason = importer.GetErrorString();
        if (reason.empty()) {
            reason = "the file is not in a format that can be read";
        }
        // Importer messages may run over several lines; the report keeps one.
        for (char& c : reason) {
            if (c == '\n' || c == '\r') {
                c = ' ';
            }
        }
        throw ConversionError(fmt::format("{}: cannot be read: {}", path, reason));
    }
    if ((scene->mFlags & AI_SCENE_FLAGS_INCOMPLETE) != 0 || scene->mRootNode == nullptr) {
        throw ConversionError(
            fmt::format("{}: holds no scene (only parts of one, such as animations)", path));
    }
    const std::filesystem::path folder =
        std::filesystem::absolute(std::filesystem::path(path), error).parent_path();
    SceneConverter converter(*scene, options, folder.string());
    Conversion conversion;
    try {
        conversion = converter.Run();
    } catch (const ConversionError& e) {
        throw ConversionError(fmt::format("{}: {}", path, e.what()));
    } catch (const std::bad_alloc&) {
        throw ConversionError(fmt::format("{}: the scene is too large to convert", path));
    }
    conversion.report.format = FormatName(importer, path);
    return conversion;
}

std::vector<std::string> DescribeConversion(const ConversionReport& report) {
    const ConversionCounts& c = report.counts;
    std::vector<std::string> lines;
    lines.push_back(fmt::format(
        "converted: {} node{}, {} mesh{} ({} vertices, {} faces), {} material{}, {} bitmap{}, "
        "{} bone{}, {} skin{}, {} morph channel{}",
        c.nodes, c.nodes == 1 ? "" : "s", c.meshes, c.meshes == 1 ? "" : "es", c.vertices, c.faces,
        c.materials, c.materials == 1 ? "" : "s", c.bitmaps, c.bitmaps == 1 ? "" : "s", c.bones,
        c.bones == 1 ? "" : "s", c.skins, c.skins == 1 ? "" : "s", c.morphChannels,
        c.morphChannels == 1 ? "" : "s"));
    if (!report.animation.empty()) {
        lines.push_back(
            fmt::format("converted: animation \"{}\" ({} position, {} rotation, {} scale keys)",
                        report.animation, c.positionKeys, c.rotationKeys, c.scaleKeys));
    }
    if (report.turnedZUp) {
        lines.push_back("converted: axes turned so that the asset's up axis is Z");
    }
    for (const ConversionNote& note : report.notes) {
        lines.push_back(note.kind + ": " + note.text);
    }
    return lines;
}

}  // namespace pellucid::interchange
