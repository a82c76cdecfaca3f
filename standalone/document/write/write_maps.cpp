// Maps: bitmaps with their file name, image and tiling; combining maps with their sub-maps.
#include "standalone/document/type_names.h"
#include "standalone/document/write/write_context.h"

namespace pellucid::standalone {

void SceneDocumentWriter::WriteMap(int index) {
    const doc::Map& map = document_.maps[static_cast<std::size_t>(index)];
    WriteEntry(maps_, index, "map", [&] {
        json_.Key("type");
        json_.String(NameOf(kMapTypeNames, map.type));
        switch (map.type) {
            case doc::MapType::Bitmap:
                json_.Key("file");
                json_.String(map.file);
                if (map.image.kind != doc::Image::Kind::None) {
                    json_.Key("image");
                    WriteImage(map.image);
                }
                if (!SameBits(map.uTiling, 1.0f) || !SameBits(map.vTiling, 1.0f)) {
                    const float tiling[2] = {map.uTiling, map.vTiling};
                    json_.Key("tiling");
                    json_.Floats(tiling);
                }
                break;
            case doc::MapType::Mask:
                json_.Key("map");
                WriteMapReference(map.subMaps.size() > 0 ? map.subMaps[0] : -1);
                json_.Key("mask");
                WriteMapReference(map.subMaps.size() > 1 ? map.subMaps[1] : -1);
                break;
            case doc::MapType::RGBMultiply:
            case doc::MapType::Other:
                if (map.type == doc::MapType::RGBMultiply && map.subMaps.size() != 2) {
                    json_.Fail("an RGB multiply map has two sub-maps");
                }
                json_.Key("maps");
                json_.BeginArray();
                for (int sub : map.subMaps) {
                    WriteMapReference(sub);
                }
                json_.EndArray();
                break;
        }
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
        json_.BeginInlineArray();
        for (std::uint8_t channel : image.fill) {
            json_.Int(channel);
        }
        json_.EndInlineArray();
    } else {
        json_.Key("pixels");
        json_.BeginArray();
        for (const auto& pixel : image.pixels) {
            json_.BeginInlineArray();
            for (std::uint8_t channel : pixel) {
                json_.Int(channel);
            }
            json_.EndInlineArray();
        }
        json_.EndArray();
    }
    json_.EndObject();
}

}  // namespace pellucid::standalone
