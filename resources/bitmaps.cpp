#include "resources/bitmaps.h"

#include <array>
#include <string_view>

#include "resources/resource_ids.h"

namespace {

struct PaletteEntry {
    char key;
    std::uint8_t r, g, b;
};

constexpr PaletteEntry kPalette[] = {
    {'.', 200, 200, 200},  // panel background
    {'a', 40, 90, 200},    // source skeleton
    {'b', 220, 120, 30},   // target skeleton
    {'k', 30, 30, 30},     // arrow
};

// Two stick skeletons with an arrow from the source to the target.
constexpr std::array<std::string_view, 15> kCopyBonesArt = {
    ".................................", ".......aaa.................bbb...",
    ".......aaa.................bbb...", "........a...................b....",
    "......aaaaa...............bbbbb..", ".....a..a..a.............b..b..b.",
    ".....a..a..a.............b..b..b.", "........a...................b....",
    "........a.......kk..........b....", ".......a.a......kkk........b.b...",
    ".......a.a..kkkkkkkk.......b.b...", "......a...a.....kkk.......b...b..",
    "......a...a.....kk........b...b..", ".....a.....a.............b.....b.",
    ".................................",
};

template <size_t Rows>
BitmapResource Decode(int id, const std::array<std::string_view, Rows>& art) {
    BitmapResource bitmap{id, static_cast<int>(art[0].size()), static_cast<int>(Rows), {}};
    bitmap.rgb.reserve(art[0].size() * Rows * 3);
    for (std::string_view row : art) {
        for (char c : row) {
            PaletteEntry colour = kPalette[0];
            for (const PaletteEntry& entry : kPalette) {
                if (entry.key == c) {
                    colour = entry;
                }
            }
            bitmap.rgb.insert(bitmap.rgb.end(), {colour.r, colour.g, colour.b});
        }
    }
    return bitmap;
}

}  // namespace

const BitmapResource* FindBitmapResource(int id) {
    static const BitmapResource copyBones = Decode(IDB_COPYBONES, kCopyBonesArt);
    return id == IDB_COPYBONES ? &copyBones : nullptr;
}
