#include <cerrno>
#include <cstdio>
#include <cstring>
#include <filesystem>
#include <limits>

#include <fmt/format.h>

#include "standalone/document/read/read_context.h"

namespace pellucid::standalone {

struct SideFileCache::OpenFile {
    std::FILE* handle = nullptr;
    std::uint64_t size = 0;
    ~OpenFile() {
        if (handle != nullptr) {
            std::fclose(handle);
        }
    }
};

SideFileCache::SideFileCache() = default;
SideFileCache::~SideFileCache() = default;

namespace {

std::string ResolvePath(const std::string& baseDirectory, std::string_view file) {
    const std::filesystem::path path{std::string(file)};
    if (baseDirectory.empty() || path.is_absolute()) {
        return path.string();
    }
    return (std::filesystem::path(baseDirectory) / path).string();
}

}  // namespace

SideFileCache::OpenFile& SideFileCache::Open(const JsonReader& reader, const JsonPath& path,
                                             const std::string& baseDirectory,
                                             std::string_view file) {
    const std::string resolved = ResolvePath(baseDirectory, file);
    auto found = files_.find(resolved);
    if (found != files_.end()) {
        return *found->second;
    }
    auto open = std::make_unique<OpenFile>();
    std::error_code error;
    if (!std::filesystem::exists(resolved, error)) {
        reader.Fail(path, fmt::format("side file \"{}\" does not exist", file));
    }
    if (!std::filesystem::is_regular_file(resolved, error)) {
        reader.Fail(path, fmt::format("side file \"{}\" is not a file", file));
    }
    open->handle = std::fopen(resolved.c_str(), "rb");
    if (open->handle == nullptr) {
        reader.Fail(
            path, fmt::format("side file \"{}\" cannot be opened: {}", file, std::strerror(errno)));
    }
    open->size = std::filesystem::file_size(resolved, error);
    if (error) {
        reader.Fail(path,
                    fmt::format("side file \"{}\" cannot be read: {}", file, error.message()));
    }
    return *files_.emplace(resolved, std::move(open)).first->second;
}

void SideFileCache::CheckRange(const JsonReader& reader, const JsonPath& path,
                               const std::string& baseDirectory, std::string_view file,
                               std::uint64_t offset, std::uint64_t bytes) {
    const OpenFile& open = Open(reader, path, baseDirectory, file);
    if (offset > open.size || bytes > open.size - offset) {
        reader.Fail(path, fmt::format("side file \"{}\" is too short: {} bytes wanted from offset "
                                      "{}, the file has {}",
                                      file, bytes, offset, open.size));
    }
}

void SideFileCache::Read(const JsonReader& reader, const JsonPath& path,
                         const std::string& baseDirectory, std::string_view file,
                         std::uint64_t offset, std::uint64_t bytes, void* out) {
    CheckRange(reader, path, baseDirectory, file, offset, bytes);
    if (bytes == 0) {
        return;
    }
    OpenFile& open = Open(reader, path, baseDirectory, file);
    if (offset > static_cast<std::uint64_t>(std::numeric_limits<long>::max()) ||
        std::fseek(open.handle, static_cast<long>(offset), SEEK_SET) != 0 ||
        std::fread(out, 1, bytes, open.handle) != bytes) {
        reader.Fail(path,
                    fmt::format("side file \"{}\" cannot be read from offset {}", file, offset));
    }
}

}  // namespace pellucid::standalone
