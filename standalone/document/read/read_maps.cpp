// Maps: bitmaps (file name, image, tiling), RGB multiply, mask and other classes, read by their
// table (document_fields.h). A mask and an RGB multiply map always have their two sub-maps.
#include "standalone/document/read/read_described.h"

namespace pellucid::standalone {

doc::Map SceneDocumentReader::ReadMap(JsonElement value, const JsonPath& path, bool shared) {
    doc::Map map;
    ReadTypedEntry(*this, value, path, shared, "map", kMapTypeNames, map, [](doc::Map& m) {
        if (m.type == doc::MapType::Mask) {
            m.subMaps.assign(2, -1);
        }
    });
    if (map.type == doc::MapType::RGBMultiply && map.subMaps.empty()) {
        map.subMaps.assign(2, -1);
    }
    return map;
}

}  // namespace pellucid::standalone
