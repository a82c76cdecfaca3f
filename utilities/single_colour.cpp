#include "utilities/single_colour.h"

#include <algorithm>
#include <cmath>
#include <limits>

namespace {

// Positions are truncated toward zero and saturated to the 32-bit range; NaN gives 0.
std::int64_t PixelPosition(float value) {
    if (std::isnan(value)) {
        return 0;
    }
    constexpr float kLow = -2147483648.0f;
    constexpr float kHigh = 2147483648.0f;
    if (value <= kLow) {
        return std::numeric_limits<std::int32_t>::min();
    }
    if (value >= kHigh) {
        return std::numeric_limits<std::int32_t>::max();
    }
    return static_cast<std::int64_t>(static_cast<std::int32_t>(value));
}

Point2 Midpoint(const Point2& a, const Point2& b) {
    return Point2((b.x - a.x) * 0.5f + a.x, (b.y - a.y) * 0.5f + a.y);
}

bool Near(std::int64_t a, std::int64_t b) {
    return a - b < 2 && b - a < 2;
}

// A bitmap larger than this gets no index (its prefix tables would not fit comfortably).
constexpr std::uint64_t kMaxIndexedPixels = std::uint64_t{1} << 26;

// Far deeper than any triangle of 32-bit pixel positions can split; only a safeguard.
constexpr int kMaxDepth = 400;

}  // namespace

SingleColourTest::SingleColourTest(Bitmap* bitmap)
    : bitmap_(bitmap),
      width_(bitmap != nullptr ? bitmap->Width() : 0),
      height_(bitmap != nullptr ? bitmap->Height() : 0) {}

SingleColourTest::Pixel SingleColourTest::ToPixel(const Point2& p) const {
    return {PixelPosition(static_cast<float>(width_) * p.x),
            PixelPosition(static_cast<float>(height_) * p.y)};
}

BMM_Color_64 SingleColourTest::ReadPixel(const Pixel& p) {
    // A read outside the bitmap takes the nearest edge pixel.
    const auto x = static_cast<int>(std::clamp<std::int64_t>(p.x, 0, width_ - 1));
    const auto y = static_cast<int>(std::clamp<std::int64_t>(p.y, 0, height_ - 1));
    BMM_Color_64 colour;
    bitmap_->GetPixels(x, y, 1, &colour);
    return colour;
}

bool SingleColourTest::IsSingleColour(const Point2& p0, const Point2& p1, const Point2& p2) {
    return Recurse(p0, p1, p2, 0);
}

bool SingleColourTest::Recurse(const Point2& p0, const Point2& p1, const Point2& p2, int depth) {
    const Pixel c[3] = {ToPixel(p0), ToPixel(p1), ToPixel(p2)};
    constexpr int kPairs[3][2] = {{0, 1}, {0, 2}, {1, 2}};
    for (const auto& pair : kPairs) {
        const Pixel& a = c[pair[0]];
        const Pixel& b = c[pair[1]];
        if (Near(a.x, b.x) && Near(a.y, b.y)) {
            return true;
        }
    }
    // Past the check above the bitmap has pixel storage: without it every pair is near.
    if (width_ <= 0 || height_ <= 0) {
        return true;
    }
    const BMM_Color_64 first = ReadPixel(c[0]);
    if (!(ReadPixel(c[1]) == first) || !(ReadPixel(c[2]) == first)) {
        return false;
    }
    if (depth >= kMaxDepth) {
        return true;
    }
    // Every pixel that the recursion below reads lies in the corners' box widened by one pixel:
    // when that box holds one colour the answer is already known.
    const std::int64_t x0 = std::min({c[0].x, c[1].x, c[2].x}) - 1;
    const std::int64_t x1 = std::max({c[0].x, c[1].x, c[2].x}) + 1;
    const std::int64_t y0 = std::min({c[0].y, c[1].y, c[2].y}) - 1;
    const std::int64_t y1 = std::max({c[0].y, c[1].y, c[2].y}) + 1;
    if (UniformBox(x0, y0, x1, y1)) {
        return true;
    }
    const Point2 m01 = Midpoint(p0, p1);
    const Point2 m12 = Midpoint(p1, p2);
    const Point2 m02 = Midpoint(p0, p2);
    return Recurse(p0, m01, m02, depth + 1) && Recurse(m01, p1, m12, depth + 1) &&
           Recurse(m01, m12, m02, depth + 1) && Recurse(m02, m12, p2, depth + 1);
}

void SingleColourTest::BuildIndex() {
    indexBuilt_ = true;
    const auto w = static_cast<std::uint64_t>(width_);
    const auto h = static_cast<std::uint64_t>(height_);
    if ((w + 1) * (h + 1) > kMaxIndexedPixels) {
        return;
    }
    const size_t stride = static_cast<size_t>(w) + 1;
    leftChanges_.assign(stride * (static_cast<size_t>(h) + 1), 0);
    upChanges_.assign(leftChanges_.size(), 0);
    std::vector<BMM_Color_64> row(static_cast<size_t>(w)), above(static_cast<size_t>(w));
    for (int y = 0; y < height_; ++y) {
        for (int x = 0; x < width_; ++x) {
            bitmap_->GetPixels(x, y, 1, &row[static_cast<size_t>(x)]);
        }
        const size_t base = (static_cast<size_t>(y) + 1) * stride;
        const size_t prev = static_cast<size_t>(y) * stride;
        std::uint32_t leftRun = 0;
        std::uint32_t upRun = 0;
        for (int x = 0; x < width_; ++x) {
            const auto ux = static_cast<size_t>(x);
            leftRun += x > 0 && !(row[ux] == row[ux - 1]) ? 1u : 0u;
            upRun += y > 0 && !(row[ux] == above[ux]) ? 1u : 0u;
            leftChanges_[base + ux + 1] = leftChanges_[prev + ux + 1] + leftRun;
            upChanges_[base + ux + 1] = upChanges_[prev + ux + 1] + upRun;
        }
        std::swap(row, above);
    }
    indexUsable_ = true;
}

bool SingleColourTest::UniformBox(std::int64_t x0, std::int64_t y0, std::int64_t x1,
                                  std::int64_t y1) {
    if (!indexBuilt_) {
        BuildIndex();
    }
    if (!indexUsable_) {
        return false;
    }
    x0 = std::clamp<std::int64_t>(x0, 0, width_ - 1);
    x1 = std::clamp<std::int64_t>(x1, 0, width_ - 1);
    y0 = std::clamp<std::int64_t>(y0, 0, height_ - 1);
    y1 = std::clamp<std::int64_t>(y1, 0, height_ - 1);
    const size_t stride = static_cast<size_t>(width_) + 1;
    // Changes counted over columns [xa, xb] and rows [ya, yb], inclusive.
    const auto count = [stride](const std::vector<std::uint32_t>& table, std::int64_t xa,
                                std::int64_t ya, std::int64_t xb, std::int64_t yb) {
        if (xa > xb || ya > yb) {
            return std::uint32_t{0};
        }
        const auto at = [&](std::int64_t x, std::int64_t y) {
            return table[static_cast<size_t>(y) * stride + static_cast<size_t>(x)];
        };
        return at(xb + 1, yb + 1) - at(xa, yb + 1) - at(xb + 1, ya) + at(xa, ya);
    };
    return count(leftChanges_, x0 + 1, y0, x1, y1) == 0 &&
           count(upChanges_, x0, y0 + 1, x1, y1) == 0;
}

bool IsSingleColour(Bitmap* bitmap, const Point2& p0, const Point2& p1, const Point2& p2) {
    SingleColourTest test(bitmap);
    return test.IsSingleColour(p0, p1, p2);
}
