#include "standalone/scene/materials/texture_maps.h"

namespace pellucid::standalone {

BitmapMap::BitmapMap(std::string file, std::unique_ptr<ImageBitmap> bitmap, float uTiling,
                     float vTiling)
    : file_(std::move(file)), bitmap_(std::move(bitmap)), uvGen_(uTiling, vTiling) {}

ComposedMap::ComposedMap(Class_ID classId, std::string name, std::vector<Texmap*> subMaps,
                         std::vector<std::string> slotNames)
    : classId_(classId),
      name_(std::move(name)),
      subMaps_(std::move(subMaps)),
      slotNames_(std::move(slotNames)) {}

Texmap* ComposedMap::GetSubTexmap(int i) {
    return i >= 0 && i < NumSubTexmaps() ? subMaps_[static_cast<size_t>(i)] : nullptr;
}

void ComposedMap::SetSubMap(int i, Texmap* map) {
    if (i >= 0 && i < NumSubTexmaps()) {
        subMaps_[static_cast<size_t>(i)] = map;
    }
}

const char* ComposedMap::GetSubTexmapSlotName(int i) {
    return i >= 0 && i < static_cast<int>(slotNames_.size())
               ? slotNames_[static_cast<size_t>(i)].c_str()
               : "";
}

std::unique_ptr<ComposedMap> MakeRGBMultiplyMap(Texmap* first, Texmap* second) {
    return std::make_unique<ComposedMap>(rgbMultClassID, "RGB Multiply",
                                         std::vector<Texmap*>{first, second},
                                         std::vector<std::string>{"Color #1", "Color #2"});
}

std::unique_ptr<ComposedMap> MakeMaskMap(Texmap* map, Texmap* mask) {
    return std::make_unique<ComposedMap>(maskClassID, "Mask", std::vector<Texmap*>{map, mask},
                                         std::vector<std::string>{"Map", "Mask"});
}

std::unique_ptr<ComposedMap> MakeOtherMap(std::vector<Texmap*> subMaps) {
    std::vector<std::string> names;
    for (size_t i = 0; i < subMaps.size(); ++i) {
        names.push_back("Map " + std::to_string(i + 1));
    }
    return std::make_unique<ComposedMap>(otherMapClassID, "Map", std::move(subMaps),
                                         std::move(names));
}

}  // namespace pellucid::standalone
