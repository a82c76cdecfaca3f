// Materials: standard (colours, shading values, map slots), multi/sub-object, and other classes.
#include <array>

#include <fmt/format.h>
#include <fmt/ranges.h>

#include "standalone/document/json/nearest_name.h"
#include "standalone/document/map_slots.h"
#include "standalone/document/read/read_context.h"

namespace pellucid::standalone {

using simdjson::dom::element_type;

namespace {

constexpr std::string_view kMaterialFields[] = {"id",
                                                "type",
                                                "name",
                                                "ambient",
                                                "diffuse",
                                                "specular",
                                                "shininess",
                                                "shininessStrength",
                                                "selfIllumination",
                                                "transparency",
                                                "transparencyType",
                                                "maps",
                                                "subMaterials"};
enum MaterialField {
    kId,
    kType,
    kName,
    kAmbient,
    kDiffuse,
    kSpecular,
    kShininess,
    kShininessStrength,
    kSelfIllumination,
    kTransparency,
    kTransparencyType,
    kMaps,
    kSubMaterials
};

constexpr TypeFields<doc::MaterialType> kMaterialTypes[] = {
    {doc::MaterialType::Standard,
     FieldSet<MaterialField>({kId, kType, kName, kAmbient, kDiffuse, kSpecular, kShininess,
                              kShininessStrength, kSelfIllumination, kTransparency,
                              kTransparencyType, kMaps})},
    {doc::MaterialType::Multi, FieldSet<MaterialField>({kId, kType, kName, kSubMaterials})},
    {doc::MaterialType::Other, FieldSet<MaterialField>({kId, kType, kName})},
};

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

constexpr std::string_view kSlotFields[] = {"slot", "map", "amount"};
enum SlotField { kSlot, kMap, kAmount };

}  // namespace

doc::Material SceneDocumentReader::ReadMaterial(JsonElement value, const JsonPath& path,
                                                bool shared) {
    std::string kind;
    const auto& info =
        ReadEntryType(*this, value, path, "material", kMaterialTypeNames, kMaterialTypes, kind);

    doc::Material material;
    material.type = info.type;
    ForEachField(value, path, kMaterialFields, [&](int field, JsonElement v, const JsonPath& p) {
        CheckFieldAllowed(info.fields, field, p, kMaterialFields[field], kind);
        switch (field) {
            case kId:
                if (!shared) {
                    Fail(p, "an id is only for entries of /materials, which are shared by it");
                }
                material.id = String(v, p);
                break;
            case kType:
                break;
            case kName:
                material.name = String(v, p);
                break;
            case kAmbient:
                material.ambient = ReadColor(v, p);
                break;
            case kDiffuse:
                material.diffuse = ReadColor(v, p);
                break;
            case kSpecular:
                material.specular = ReadColor(v, p);
                break;
            case kShininess:
                material.shininess = Float(v, p);
                break;
            case kShininessStrength:
                material.shininessStrength = Float(v, p);
                break;
            case kSelfIllumination:
                material.selfIllumination = Float(v, p);
                break;
            case kTransparency:
                material.transparency = Float(v, p);
                break;
            case kTransparencyType: {
                const std::string_view name = String(v, p);
                const auto* named = FindTypeName(kTransparencyTypeNames, name);
                if (named == nullptr) {
                    Fail(p, fmt::format("expected {}", ListOfNames(kTransparencyTypeNames, "\"")));
                }
                material.transparencyType = named->value;
                break;
            }
            case kMaps:
                ReadMapSlots(v, p, material);
                break;
            case kSubMaterials:
                material.subMaterials.reserve(Array(v, p).size());
                ForEachItem(v, p, [&](std::size_t, JsonElement item, const JsonPath& itemPath) {
                    material.subMaterials.push_back(ReadMaterialReference(item, itemPath, true));
                });
                break;
        }
    });
    return material;
}

void SceneDocumentReader::ReadMapSlots(JsonElement value, const JsonPath& path,
                                       doc::Material& material) {
    std::array<bool, kMapSlotCount> used{};
    ForEachItem(value, path, [&](std::size_t, JsonElement item, const JsonPath& itemPath) {
        doc::MapSlot slot;
        const std::uint64_t seen = ForEachField(
            item, itemPath, kSlotFields, [&](int field, JsonElement v, const JsonPath& p) {
                switch (field) {
                    case kSlot:
                        if (v.type() == element_type::STRING) {
                            const std::string_view name = v.get_string().value_unsafe();
                            slot.slot = MapSlotIndex(name);
                            if (slot.slot < 0) {
                                FailUnknownSlot(*this, p, name);
                            }
                        } else {
                            slot.slot = static_cast<int>(Integer(v, p, 0, kMapSlotCount - 1));
                        }
                        if (used[static_cast<std::size_t>(slot.slot)]) {
                            Fail(p, fmt::format("slot {} (\"{}\") is given twice", slot.slot,
                                                MapSlotName(slot.slot)));
                        }
                        used[static_cast<std::size_t>(slot.slot)] = true;
                        break;
                    case kMap:
                        slot.map = ReadMapReference(v, p, true);
                        break;
                    case kAmount:
                        slot.amount = Float(v, p);
                        break;
                }
            });
        Require(seen, kSlotFields, kSlot, itemPath);
        Require(seen, kSlotFields, kMap, itemPath);
        material.maps.push_back(slot);
    });
}

}  // namespace pellucid::standalone
