// The standard material's map slots by index and name: as documents write them, and as the live
// standard material names its slots.
#pragma once

#include <array>
#include <string_view>

namespace pellucid::standalone {

inline constexpr int kMapSlotCount = 12;

inline constexpr std::array<std::string_view, kMapSlotCount> kMapSlotNames = {
    "Ambient Color", "Diffuse Color",     "Specular Color", "Specular Level",
    "Glossiness",    "Self-Illumination", "Opacity",        "Filter Color",
    "Bump",          "Reflection",        "Refraction",     "Displacement"};

// The index of a slot name, or -1.
inline int MapSlotIndex(std::string_view name) {
    for (int i = 0; i < kMapSlotCount; ++i) {
        if (kMapSlotNames[static_cast<std::size_t>(i)] == name) {
            return i;
        }
    }
    return -1;
}

inline std::string_view MapSlotName(int slot) {
    return slot >= 0 && slot < kMapSlotCount ? kMapSlotNames[static_cast<std::size_t>(slot)] : "";
}

}  // namespace pellucid::standalone
