// Images of bitmap maps: a file beside the document, decoded here, or a synthetic image (one fill
// colour, or pixels listed row by row).
#include <cstdio>
#include <cstring>
#include <filesystem>
#include <limits>
#include <memory>

#include <fmt/format.h>
#include <stb/stb_image.h>

#include "standalone/document/read/read_context.h"

namespace pellucid::standalone {

using simdjson::dom::element_type;

namespace {

constexpr std::string_view kImageFields[] = {"width", "height", "fill", "pixels"};
enum ImageField { kWidth, kHeight, kFill, kPixels };

// The largest side of a synthetic image, so that a typo cannot ask for gigabytes of pixels.
constexpr int kMaxImageSide = 16384;

std::array<std::uint8_t, 4> ReadRgba(const JsonReader& reader, JsonElement value,
                                     const JsonPath& path) {
    std::array<std::uint8_t, 4> rgba{};
    std::size_t n = 0;
    const simdjson::dom::array array = reader.Array(value, path);
    for (JsonElement channel : array) {
        if (n == 4) {
            break;
        }
        rgba[n] = static_cast<std::uint8_t>(reader.Integer(channel, path.Item(n), 0, 255));
        ++n;
    }
    if (n != 4 || array.size() != 4) {
        reader.Fail(path, "expected [r, g, b, a] with channels from 0 to 255");
    }
    return rgba;
}

struct StbFree {
    void operator()(stbi_uc* pixels) const { stbi_image_free(pixels); }
};

}  // namespace

doc::Image SceneDocumentReader::ReadImage(JsonElement value, const JsonPath& path) const {
    doc::Image image;
    if (value.type() == element_type::STRING) {
        image.kind = doc::Image::Kind::File;
        image.path = value.get_string().value_unsafe();
        CheckInsideDocumentFolder(path, image.path, "image");
        LoadImageFile(path, image);
        return image;
    }
    if (value.type() != element_type::OBJECT) {
        Fail(path, fmt::format("expected an image file name or {{\"width\", \"height\", ...}}, "
                               "found {}",
                               DescribeJsonType(value)));
    }
    JsonElement pixels;
    image.kind = doc::Image::Kind::Fill;
    const std::uint64_t seen =
        ForEachField(value, path, kImageFields, [&](int field, JsonElement v, const JsonPath& p) {
            switch (field) {
                case kWidth:
                    image.width = static_cast<int>(Integer(v, p, 0, kMaxImageSide));
                    break;
                case kHeight:
                    image.height = static_cast<int>(Integer(v, p, 0, kMaxImageSide));
                    break;
                case kFill:
                    image.fill = ReadRgba(*this, v, p);
                    break;
                case kPixels:
                    Array(v, p);
                    pixels = v;
                    image.kind = doc::Image::Kind::Pixels;
                    break;
            }
        });
    Require(seen, kImageFields, kWidth, path);
    Require(seen, kImageFields, kHeight, path);
    if ((seen & (1u << kFill)) != 0 && (seen & (1u << kPixels)) != 0) {
        Fail(path, "an image takes \"fill\" or \"pixels\", not both");
    }
    if (image.kind == doc::Image::Kind::Pixels) {
        const JsonPath pixelsPath = path.Field("pixels");
        const std::size_t expected =
            static_cast<std::size_t>(image.width) * static_cast<std::size_t>(image.height);
        image.pixels.reserve(expected);
        ForEachItem(pixels, pixelsPath, [&](std::size_t i, JsonElement item, const JsonPath& p) {
            if (i == expected) {
                Fail(pixelsPath, fmt::format("expected {} pixels ({} x {}), found more", expected,
                                             image.width, image.height));
            }
            image.pixels.push_back(ReadRgba(*this, item, p));
        });
        if (image.pixels.size() != expected) {
            Fail(pixelsPath, fmt::format("expected {} pixels ({} x {}), found {}", expected,
                                         image.width, image.height, image.pixels.size()));
        }
    }
    return image;
}

void SceneDocumentReader::LoadImageFile(const JsonPath& path, doc::Image& image) const {
    std::filesystem::path file(image.path);
    if (!baseDirectory_.empty() && file.is_relative()) {
        file = std::filesystem::path(baseDirectory_) / file;
    }
    std::error_code error;
    if (!std::filesystem::exists(file, error)) {
        image.fileMissing = true;
        return;
    }
    const std::uintmax_t size = std::filesystem::file_size(file, error);
    if (error) {
        Fail(path, fmt::format("image \"{}\" cannot be read: {}", image.path, error.message()));
    }
    if (size > static_cast<std::uintmax_t>(std::numeric_limits<int>::max())) {
        Fail(path, fmt::format("image \"{}\" is too large to decode", image.path));
    }
    std::vector<unsigned char> bytes(static_cast<std::size_t>(size));
    std::FILE* handle = std::fopen(file.string().c_str(), "rb");
    if (handle == nullptr) {
        Fail(path, fmt::format("image \"{}\" cannot be opened", image.path));
    }
    const std::size_t read = std::fread(bytes.data(), 1, bytes.size(), handle);
    std::fclose(handle);
    if (read != bytes.size()) {
        Fail(path, fmt::format("image \"{}\" cannot be read to its end", image.path));
    }

    int width = 0, height = 0, channels = 0;
    const std::unique_ptr<stbi_uc, StbFree> pixels(stbi_load_from_memory(
        bytes.data(), static_cast<int>(bytes.size()), &width, &height, &channels, 4));
    if (pixels == nullptr) {
        const char* reason = stbi_failure_reason();
        Fail(path, fmt::format("image \"{}\" cannot be decoded: {}", image.path,
                               reason != nullptr ? reason : "unknown format"));
    }
    image.width = width;
    image.height = height;
    image.pixels.resize(static_cast<std::size_t>(width) * static_cast<std::size_t>(height));
    std::memcpy(image.pixels.data(), pixels.get(), image.pixels.size() * 4);
}

}  // namespace pellucid::standalone
