// Reading an asset with Assimp: the post-processing asked of it, the time limit, and the errors
// turned into one-line messages.
#include "standalone/interchange/interchange_import.h"

#include <assimp/config.h>
#include <assimp/importerdesc.h>
#include <assimp/postprocess.h>
#include <assimp/scene.h>
#include <assimp/Importer.hpp>
#include <assimp/ProgressHandler.hpp>

#include <fcntl.h>
#include <unistd.h>

#include <chrono>
#include <cmath>
#include <cstdio>
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

// Some importers print their complaints to the standard streams themselves; a command's own
// output must stay as it says, so both streams go nowhere while the importer reads.
class QuietStandardStreams {
  public:
    QuietStandardStreams() {
        std::fflush(stdout);
        std::fflush(stderr);
        const int null = ::open("/dev/null", O_WRONLY);
        if (null < 0) {
            return;
        }
        saved_[0] = ::dup(STDOUT_FILENO);
        saved_[1] = ::dup(STDERR_FILENO);
        ::dup2(null, STDOUT_FILENO);
        ::dup2(null, STDERR_FILENO);
        ::close(null);
    }
    ~QuietStandardStreams() {
        std::fflush(stdout);
        std::fflush(stderr);
        if (saved_[0] >= 0) {
            ::dup2(saved_[0], STDOUT_FILENO);
            ::close(saved_[0]);
        }
        if (saved_[1] >= 0) {
            ::dup2(saved_[1], STDERR_FILENO);
            ::close(saved_[1]);
        }
    }
    QuietStandardStreams(const QuietStandardStreams&) = delete;
    QuietStandardStreams& operator=(const QuietStandardStreams&) = delete;

  private:
    int saved_[2] = {-1, -1};
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
    // FBX pivots folded into the nodes' transforms rather than kept as helper nodes of their own.
    importer.SetPropertyBool(AI_CONFIG_IMPORT_FBX_PRESERVE_PIVOTS, false);
    const aiScene* scene = nullptr;
    try {
        const QuietStandardStreams quiet;
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
