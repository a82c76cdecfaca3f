#include "standalone/scene/materials/image_bitmap.h"

#include <algorithm>

namespace pellucid::standalone {

std::unique_ptr<ImageBitmap> ImageBitmap::Filled(int width, int height, BMM_Color_64 colour) {
    std::unique_ptr<ImageBitmap> bitmap(new ImageBitmap(std::max(width, 0), std::max(height, 0)));
    bitmap->uniform_ = true;
    bitmap->colour_ = colour;
    return bitmap;
}

std::unique_ptr<ImageBitmap> ImageBitmap::FromPixels(int width, int height,
                                                     std::vector<BMM_Color_64> pixels) {
    std::unique_ptr<ImageBitmap> bitmap(new ImageBitmap(std::max(width, 0), std::max(height, 0)));
    bitmap->pixels_ = std::move(pixels);
    return bitmap;
}

int ImageBitmap::GetPixels(int x, int y, int count, BMM_Color_64* pixels) {
    if (pixels == nullptr || count < 0 || x < 0 || y < 0 || y >= height_ || x > width_ - count) {
        return 0;
    }
    for (int i = 0; i < count; ++i) {
        if (uniform_) {
            pixels[i] = colour_;
        } else {
            const size_t index =
                static_cast<size_t>(y) * static_cast<size_t>(width_) + static_cast<size_t>(x + i);
            pixels[i] = index < pixels_.size() ? pixels_[index] : BMM_Color_64();
        }
    }
    return 1;
}

BMM_Color_64 WidenColour(const std::array<std::uint8_t, 4>& rgba) {
    auto widen = [](std::uint8_t c) { return static_cast<std::uint16_t>(c * 257); };
    return {widen(rgba[0]), widen(rgba[1]), widen(rgba[2]), widen(rgba[3])};
}

std::unique_ptr<ImageBitmap> MakeBitmap(const doc::Image& image) {
    switch (image.kind) {
        case doc::Image::Kind::None:
            return nullptr;
        case doc::Image::Kind::Fill:
            return ImageBitmap::Filled(image.width, image.height, WidenColour(image.fill));
        case doc::Image::Kind::File:
            if (image.fileMissing) {
                return nullptr;
            }
            [[fallthrough]];
        case doc::Image::Kind::Pixels: {
            std::vector<BMM_Color_64> pixels;
            pixels.reserve(image.pixels.size());
            for (const auto& p : image.pixels) {
                pixels.push_back(WidenColour(p));
            }
            return ImageBitmap::FromPixels(image.width, image.height, std::move(pixels));
        }
    }
    return nullptr;
}

}  // namespace pellucid::standalone
