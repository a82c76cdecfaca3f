// Maps and materials of a document.
#include <algorithm>

#include "standalone/scene/build/scene_builder_parts.h"
#include "standalone/scene/materials/materials.h"
#include "standalone/scene/materials/texture_maps.h"

namespace pellucid::standalone::build {

void BuildMaps(doc::Document& document, Scene& scene, Made& made) {
    const size_t count = document.maps.size();
    made.firstMap = scene.Maps().size();
    for (size_t i = 0; i < count; ++i) {
        doc::Map& source = document.maps[i];
        // Sub-maps may come later in the list: they are wired once every map exists.
        std::unique_ptr<Texmap> map;
        switch (source.type) {
            case doc::MapType::Bitmap:
                map = std::make_unique<BitmapMap>(source.file, MakeBitmap(source.image),
                                                  source.uTiling, source.vTiling);
                break;
            case doc::MapType::RGBMultiply:
                map = MakeRGBMultiplyMap(nullptr, nullptr);
                break;
            case doc::MapType::Mask:
                map = MakeMaskMap(nullptr, nullptr);
                break;
            case doc::MapType::Other:
                map = MakeOtherMap(std::vector<Texmap*>(source.subMaps.size(), nullptr));
                break;
        }
        if (source.image.kind == doc::Image::Kind::File) {
            // A file image is written back as its path; its pixels now live in the bitmap.
            std::vector<std::array<std::uint8_t, 4>>().swap(source.image.pixels);
        }
        made.maps.push_back(scene.AddMap({std::move(map), std::move(source)}));
    }
    for (size_t i = 0; i < count; ++i) {
        auto* composed = dynamic_cast<ComposedMap*>(made.maps[i]);
        const std::vector<int>& subs = scene.Maps()[made.firstMap + i].source.subMaps;
        for (size_t k = 0; composed != nullptr && k < subs.size(); ++k) {
            composed->SetSubMap(static_cast<int>(k),
                                subs[k] < 0 ? nullptr : made.maps[static_cast<size_t>(subs[k])]);
        }
    }
}

void BuildMaterials(const doc::Document& document, Scene& scene, Made& made) {
    std::vector<SceneMaterial*> live;
    for (const doc::Material& source : document.materials) {
        auto material = std::make_unique<SceneMaterial>(source);
        live.push_back(material.get());
        made.materials.push_back(scene.AddMaterial({std::move(material), source}));
    }
    for (size_t i = 0; i < document.materials.size(); ++i) {
        const doc::Material& source = document.materials[i];
        for (const doc::MapSlot& slot : source.maps) {
            live[i]->SetSlot(slot.slot,
                             slot.map < 0 ? nullptr : made.maps[static_cast<size_t>(slot.map)],
                             slot.amount);
        }
        std::vector<Mtl*> subs;
        for (int sub : source.subMaterials) {
            subs.push_back(sub < 0 ? nullptr : made.materials[static_cast<size_t>(sub)]);
        }
        live[i]->SetSubMaterials(std::move(subs));
    }
}

}  // namespace pellucid::standalone::build
