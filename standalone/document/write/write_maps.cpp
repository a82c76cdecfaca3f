// Maps: by their table (document_fields.h), each with the fields its type takes; images as a file
// name, a fill or pixels.
#include "standalone/document/write/write_described.h"

namespace pellucid::standalone {

void SceneDocumentWriter::WriteMap(int index) {
    const doc::Map& map = document_.maps[static_cast<std::size_t>(index)];
    WriteEntry(maps_, index, "map", [&] {
        if (map.type == doc::MapType::RGBMultiply && map.subMaps.size() != 2) {
            json_.Fail("an RGB multiply map has two sub-maps");
        }
        WriteFieldTuple(map, kFieldsOf<doc::Map>, TypeBit(map.type));
    });
}

void SceneDocumentWriter::WriteImage(const doc::Image& image) {
    if (image.kind == doc::Image::Kind::File) {
        json_.String(imagePath_(image.path));
        return;
    }
    json_.BeginObject();
    json_.Key("width");
    json_.Int(image.width);
    json_.Key("height");
    json_.Int(image.height);
    if (image.kind == doc::Image::Kind::Fill) {
        json_.Key("fill");
        json_.Ints(image.fill);
    } else {
        json_.Key("pixels");
        json_.BeginArray();
        for (const auto& pixel : image.pixels) {
            json_.Ints(pixel);
        }
        json_.EndArray();
    }
    json_.EndObject();
}

}  // namespace pellucid::standalone
