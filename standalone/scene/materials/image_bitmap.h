// Bitmaps of the stand-alone host: the decoded image of a bitmap map, as 16-bit channels.
#pragma once

#include <memory>
#include <vector>

#include "host/material.h"
#include "standalone/document/scene_document.h"

namespace pellucid::standalone {

class ImageBitmap : public Bitmap {
  public:
    // A bitmap of one colour (no pixel storage beyond that colour, whatever its size).
    static std::unique_ptr<ImageBitmap> Filled(int width, int height, BMM_Color_64 colour);
    // A bitmap with its pixels row by row from the first stored row; missing pixels read as 0.
    static std::unique_ptr<ImageBitmap> FromPixels(int width, int height,
                                                   std::vector<BMM_Color_64> pixels);

    int Width() override { return width_; }
    int Height() override { return height_; }
    int GetPixels(int x, int y, int count, BMM_Color_64* pixels) override;

  private:
    ImageBitmap(int width, int height) : width_(width), height_(height) {}

    int width_;
    int height_;
    bool uniform_ = false;
    BMM_Color_64 colour_;
    std::vector<BMM_Color_64> pixels_;
};

// An 8-bit channel value c as a 16-bit one: c * 257.
BMM_Color_64 WidenColour(const std::array<std::uint8_t, 4>& rgba);

// The bitmap that a document image gives, or null when it gives none (no image, or a file that
// could not be loaded). {width: 0, height: 0} is a bitmap without pixel storage.
std::unique_ptr<ImageBitmap> MakeBitmap(const doc::Image& image);

}  // namespace pellucid::standalone
