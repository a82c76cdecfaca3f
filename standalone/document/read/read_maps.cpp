// Maps: bitmaps (file name, image, tiling), RGB multiply, mask and other classes.

#include <fmt/format.h>

#include "standalone/document/read/read_context.h"

namespace pellucid::standalone {

namespace {

constexpr std::string_view kMapFields[] = {"id",     "type", "file", "image",
                                           "tiling", "maps", "map",  "mask"};
enum MapField { kId, kType, kFile, kImage, kTiling, kMaps, kMap, kMask };

constexpr TypeFields<doc::MapType> kMapTypes[] = {
    {doc::MapType::Bitmap, FieldSet<MapField>({kId, kType, kFile, kImage, kTiling})},
    {doc::MapType::RGBMultiply, FieldSet<MapField>({kId, kType, kMaps})},
    {doc::MapType::Mask, FieldSet<MapField>({kId, kType, kMap, kMask})},
    {doc::MapType::Other, FieldSet<MapField>({kId, kType, kMaps})},
};

}  // namespace

doc::Map SceneDocumentReader::ReadMap(JsonElement value, const JsonPath& path, bool shared) {
    std::string kind;
    const auto& info = ReadEntryType(*this, value, path, "map", kMapTypeNames, kMapTypes, kind);

    doc::Map map;
    map.type = info.type;
    if (map.type == doc::MapType::Mask) {
        map.subMaps.assign(2, -1);
    }
    ForEachField(value, path, kMapFields, [&](int field, JsonElement v, const JsonPath& p) {
        CheckFieldAllowed(info.fields, field, p, kMapFields[field], kind);
        switch (field) {
            case kId:
                if (!shared) {
                    Fail(p, "an id is only for entries of /maps, which are shared by it");
                }
                map.id = String(v, p);
                break;
            case kType:
                break;
            case kFile:
                map.file = String(v, p);
                break;
            case kImage:
                map.image = ReadImage(v, p);
                break;
            case kTiling: {
                float uv[2];
                Floats(v, p, uv);
                map.uTiling = uv[0];
                map.vTiling = uv[1];
                break;
            }
            case kMaps: {
                const std::size_t count = Array(v, p).size();
                if (map.type == doc::MapType::RGBMultiply && count != 2) {
                    Fail(p, fmt::format("expected 2 maps, found {}", count));
                }
                map.subMaps.reserve(count);
                ForEachItem(v, p, [&](std::size_t, JsonElement item, const JsonPath& itemPath) {
                    map.subMaps.push_back(ReadMapReference(item, itemPath, true));
                });
                break;
            }
            case kMap:
                map.subMaps[0] = ReadMapReference(v, p, true);
                break;
            case kMask:
                map.subMaps[1] = ReadMapReference(v, p, true);
                break;
        }
    });
    if (map.type == doc::MapType::RGBMultiply && map.subMaps.empty()) {
        map.subMaps.assign(2, -1);
    }
    return map;
}

}  // namespace pellucid::standalone
