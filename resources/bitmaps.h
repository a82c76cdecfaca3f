// The library's bitmap resources.
#pragma once

#include <cstdint>
#include <vector>

struct BitmapResource {
    int id;
    int width, height;
    // Red, green and blue bytes per pixel, rows from the top.
    std::vector<std::uint8_t> rgb;
};

// The bitmap `id`, or null when the library has none.
const BitmapResource* FindBitmapResource(int id);
