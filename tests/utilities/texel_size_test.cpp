#include <gtest/gtest.h>

#include <fmt/format.h>
#include <fmt/ranges.h>

#include <random>

#include "utilities/check_texel_size.h"
#include "utilities/panel_test_support.h"
#include "utilities/single_colour.h"

namespace pellucid::test {
namespace {

// A w x h image whose pixels alternate black and white.
std::string Checker(int w, int h) {
    std::vector<const char*> pixels;
    for (int y = 0; y < h; ++y) {
        for (int x = 0; x < w; ++x) {
            pixels.push_back((x + y) % 2 ? "[255,255,255,255]" : "[0,0,0,255]");
        }
    }
    return fmt::format(R"({{"width": {}, "height": {}, "pixels": [{}]}})", w, h,
                       fmt::join(pixels, ","));
}

// A unit square of two faces mapped onto the whole of `image`.
std::string SquareScene(const std::string& image, const std::string& tiling = "[1, 1]",
                        const std::string& uvs = "[[0,0],[1,0],[1,1],[0,1]]",
                        const std::string& transform = "") {
    const std::string imageField = image.empty() ? "" : fmt::format(R"(, "image": {})", image);
    return fmt::format(
        R"({{"pellucidScene": 1, "nodes": [{{"name": "Square", {}"material": {{"type": "standard",
        "name": "sq_M", "maps": [{{"slot": "Diffuse Color", "map": {{"type": "bitmap", "file":
        "x.tga", "tiling": {}{}}}}}]}}, "object": {{"type": "mesh", "vertices": [[0,0,0],[1,0,0],
        [1,1,0],[0,1,0]], "faces": [[0,1,2],[2,3,0]], "uvVertices": {}, "uvFaces":
        [[0,1,2],[2,3,0]]}}}}]}})",
        transform, tiling, imageField, uvs);
}

std::pair<std::string, std::string> Press(const std::string& json) {
    auto host = HostFromJson(json);
    auto session = Open(*host, "CheckTexelSize");
    session->Press(1007);
    return {session->StatusText(1008), session->StatusText(1010)};
}

TEST(CheckTexelSize, UnitSquareOnA256BitmapHasRatio65536) {
    const std::string checker = Checker(256, 256);
    EXPECT_EQ(Press(SquareScene(checker)),
              std::make_pair(std::string("Min: 65536.0 Max: 65536.0"), std::string("# SCT: 0")));
    // Tiling of 2 in U doubles the texel area; scaling the node changes nothing.
    EXPECT_EQ(Press(SquareScene(checker, "[2, 1]")).first, "Min: 131072.0 Max: 131072.0");
    EXPECT_EQ(Press(SquareScene(checker, "[1, 1]", "[[0,0],[1,0],[1,1],[0,1]]",
                                R"("transform": {"scale": [3, 3, 3]}, )"))
                  .first,
              "Min: 65536.0 Max: 65536.0");
    // Corners in a line but far apart: no texel area, the minimum drops to 0.
    EXPECT_EQ(Press(SquareScene(checker, "[1, 1]", "[[0,0],[0.5,0],[1,0],[0,1]]")).first,
              "Min: 0.0 Max: 65536.0");
    // A bitmap twice as wide as high has half the texels of the square one.
    EXPECT_EQ(Press(SquareScene(Checker(256, 128))).first, "Min: 32768.0 Max: 32768.0");
    // A face without area in space is not measured: only the other face counts.
    std::string flat = SquareScene(checker);
    flat.replace(flat.find("[[0,1,2],[2,3,0]]"), 17, "[[0,1,1],[2,3,0]]");
    EXPECT_EQ(Press(flat).first, "Min: 65536.0 Max: 65536.0");
}

TEST(CheckTexelSize, SingleColouredFacesAreCountedNotMeasured) {
    // All faces single-coloured: counted, yet both lines stay empty.
    EXPECT_EQ(Press(SquareScene(R"({"width": 64, "height": 64, "fill": [9, 9, 9, 255]})")),
              std::make_pair(std::string(), std::string()));
    EXPECT_EQ(Press(SquareScene(R"({"width": 0, "height": 0})")),
              std::make_pair(std::string(), std::string()));
    // One face inside one checker pixel, one across the whole image.
    std::string json =
        SquareScene(Checker(4, 4), "[1, 1]", "[[0,0],[0.1,0],[0.1,0.1],[0,1],[1,0],[1,1]]");
    json.replace(json.rfind("[[0,1,2],[2,3,0]]"), 17, "[[0,1,2],[3,4,5]]");
    auto host = HostFromJson(json);
    auto session = Open(*host, "CheckTexelSize");
    session->Press(1007);
    const TexelFindings& findings = session->DlgProc<CheckTexelSizeDlgProc>()->LastFindings();
    EXPECT_EQ(findings.SCT, 1);
    EXPECT_EQ(findings.measuredFaces, 1);
    EXPECT_EQ(session->StatusText(1010), "# SCT: 1");
}

TEST(CheckTexelSize, FacesWithoutABitmapAreSkipped) {
    // An image file that is not there gives the map no bitmap.
    EXPECT_EQ(Press(SquareScene(R"("no-such-image.png")")),
              std::make_pair(std::string(), std::string()));
    EXPECT_EQ(Press(SquareScene("")), std::make_pair(std::string(), std::string()));
    EXPECT_EQ(Press(R"({"pellucidScene": 1})"), std::make_pair(std::string(), std::string()));
}

// A bitmap of regions: pixel colour from a small table, repeated over the image.
class PatternBitmap : public Bitmap {
  public:
    PatternBitmap(int w, int h, std::vector<int> cells, int cell)
        : w_(w), h_(h), cells_(std::move(cells)), cell_(cell) {}
    int Width() override { return w_; }
    int Height() override { return h_; }
    int GetPixels(int x, int y, int count, BMM_Color_64* pixels) override {
        if (x < 0 || y < 0 || x + count > w_ || y >= h_) {
            return 0;
        }
        for (int i = 0; i < count; ++i) {
            const int c = cells_[static_cast<size_t>(((y / cell_) * 7 + (x + i) / cell_) %
                                                     static_cast<int>(cells_.size()))];
            pixels[i] = BMM_Color_64{static_cast<std::uint16_t>(c), 0, 0, 0};
        }
        return 1;
    }

  private:
    int w_, h_;
    std::vector<int> cells_;
    int cell_;
};

// The recursion as described, reading edge pixels outside the bitmap, without any shortcut.
bool DescribedSingleColour(Bitmap& b, Point2 p0, Point2 p1, Point2 p2) {
    const auto pos = [](float v) -> long long {
        if (std::isnan(v)) {
            return 0;
        }
        if (v <= -2147483648.0f) {
            return -2147483648LL;
        }
        if (v >= 2147483648.0f) {
            return 2147483647LL;
        }
        return static_cast<int>(v);
    };
    const float w = static_cast<float>(b.Width());
    const float h = static_cast<float>(b.Height());
    const long long x[3] = {pos(w * p0.x), pos(w * p1.x), pos(w * p2.x)};
    const long long y[3] = {pos(h * p0.y), pos(h * p1.y), pos(h * p2.y)};
    const int pairs[3][2] = {{0, 1}, {0, 2}, {1, 2}};
    for (const auto& p : pairs) {
        if (std::llabs(x[p[0]] - x[p[1]]) < 2 && std::llabs(y[p[0]] - y[p[1]]) < 2) {
            return true;
        }
    }
    BMM_Color_64 c[3];
    for (int k = 0; k < 3; ++k) {
        b.GetPixels(static_cast<int>(std::clamp<long long>(x[k], 0, b.Width() - 1)),
                    static_cast<int>(std::clamp<long long>(y[k], 0, b.Height() - 1)), 1, &c[k]);
    }
    if (!(c[1] == c[0]) || !(c[2] == c[0])) {
        return false;
    }
    const auto mid = [](Point2 a, Point2 q) {
        return Point2((q.x - a.x) * 0.5f + a.x, (q.y - a.y) * 0.5f + a.y);
    };
    const Point2 m01 = mid(p0, p1), m12 = mid(p1, p2), m02 = mid(p0, p2);
    return DescribedSingleColour(b, p0, m01, m02) && DescribedSingleColour(b, m01, p1, m12) &&
           DescribedSingleColour(b, m01, m12, m02) && DescribedSingleColour(b, m02, m12, p2);
}

TEST(CheckTexelSize, ShortcutSingleColourTestAgreesWithTheRecursion) {
    std::mt19937 random(11);
    std::uniform_real_distribution<float> coordinate(-0.3f, 1.3f);
    int singles = 0;
    for (int trial = 0; trial < 3000; ++trial) {
        std::vector<int> cells(static_cast<size_t>(1 + trial % 5));
        for (int& c : cells) {
            c = static_cast<int>(random() % 3);
        }
        PatternBitmap bitmap(16 + trial % 13, 9 + trial % 17, cells, 3 + trial % 6);
        const Point2 p0(coordinate(random), coordinate(random));
        const Point2 p1(coordinate(random), coordinate(random));
        const Point2 p2(coordinate(random), coordinate(random));
        const bool described = DescribedSingleColour(bitmap, p0, p1, p2);
        singles += described ? 1 : 0;
        ASSERT_EQ(IsSingleColour(&bitmap, p0, p1, p2), described) << "trial " << trial;
    }
    EXPECT_GT(singles, 100);
}

TEST(CheckTexelSize, HugeFlatFacesFinishAtOnce) {
    PatternBitmap flat(256, 256, {4}, 8);
    EXPECT_TRUE(IsSingleColour(&flat, Point2(-100000.0f, -100000.0f), Point2(100000.0f, -100000.0f),
                               Point2(0.0f, 100000.0f)));
    EXPECT_TRUE(
        IsSingleColour(&flat, Point2(NAN, 0.0f), Point2(INFINITY, 1.0f), Point2(-INFINITY, 0.5f)));
}

}  // namespace
}  // namespace pellucid::test
