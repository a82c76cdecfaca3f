// Whether a texture triangle covers a single colour of a bitmap: corners within a pixel of each
// other count as one colour; otherwise the three corner pixels must agree and so must the four
// halves-sized sub-triangles, recursively.
#pragma once

#include <cstdint>
#include <vector>

#include "host/material.h"

class SingleColourTest {
  public:
    explicit SingleColourTest(Bitmap* bitmap);

    // p0, p1, p2 are texture points (U, V after tiling); pixel (W * U, H * V) truncated, with
    // row 0 the first stored row.
    bool IsSingleColour(const Point2& p0, const Point2& p1, const Point2& p2);

  private:
    struct Pixel {
        std::int64_t x, y;
    };
    Pixel ToPixel(const Point2& p) const;
    BMM_Color_64 ReadPixel(const Pixel& p);
    bool Recurse(const Point2& p0, const Point2& p1, const Point2& p2, int depth);
    // Whether the pixels of the box (inclusive, clamped to the bitmap) all hold one colour.
    bool UniformBox(std::int64_t x0, std::int64_t y0, std::int64_t x1, std::int64_t y1);
    void BuildIndex();

    Bitmap* bitmap_;
    int width_;
    int height_;
    // Prefix counts over the bitmap of pixels that differ from their left neighbour and from the
    // one above, built on first need.
    bool indexBuilt_ = false;
    bool indexUsable_ = false;
    std::vector<std::uint32_t> leftChanges_;
    std::vector<std::uint32_t> upChanges_;
};

// The test on one triangle, without keeping anything for the next.
bool IsSingleColour(Bitmap* bitmap, const Point2& p0, const Point2& p1, const Point2& p2);
