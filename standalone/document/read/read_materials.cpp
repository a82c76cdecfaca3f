// Materials: standard (colours, shading values, map slots), multi/sub-object, and other classes.
#include <array>

#include <fmt/format.h>
#include <fmt/ranges.h>

#include "standalone/document/json/nearest_name.h"
#include "standalone/document/map_slots.h"
#include "standalone/document/read/read_described.h"

namespace pellucid::standalone {

using simdjson::dom::element_type;

namespace {

// Names the slots that exist, and the nearest one when the name looks like a typo.
[[noreturn]] void FailUnknownSlot(const JsonReader& reader, const JsonPath& path,
                                  std::string_view name) {
    NearestName nearest(name);
    nearest.OfferAll(kMapSlotNames);
    reader.Fail(path, fmt::format("unknown map slot \"{}\"{}; expected one of \"{}\" or a slot "
                                  "number from 0 to {}",
                                  name, nearest.Hint(), fmt::join(kMapSlotNames, "\", \""),
                                  kMapSlotCount - 1));
}

}  // namespace

doc::Material SceneDocumentReader::ReadMaterial(JsonElement value, const JsonPath& path,
                                                bool shared) {
    doc::Material material;
    const std::array<bool, kMapSlotCount> outerSlots = mapSlotsGiven_;
    mapSlotsGiven_ = {};
    ReadTypedEntry(*this, value, path, shared, "material", kMaterialTypeNames, material);
    mapSlotsGiven_ = outerSlots;
    return material;
}

int SceneDocumentReader::ReadMapSlot(JsonElement value, const JsonPath& path) {
    int slot = 0;
    if (value.type() == element_type::STRING) {
        const std::string_view name = value.get_string().value_unsafe();
        slot = MapSlotIndex(name);
        if (slot < 0) {
            FailUnknownSlot(*this, path, name);
        }
    } else {
        slot = static_cast<int>(Integer(value, path, 0, kMapSlotCount - 1));
    }
    bool& given = mapSlotsGiven_[static_cast<std::size_t>(slot)];
    if (given) {
        Fail(path, fmt::format("slot {} (\"{}\") is given twice", slot, MapSlotName(slot)));
    }
    given = true;
    return slot;
}

}  // namespace pellucid::standalone
