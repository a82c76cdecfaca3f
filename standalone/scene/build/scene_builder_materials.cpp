// Maps and materials of a document.
#include <algorithm>

#include "standalone/scene/build/scene_builder_parts.h"
#include "standalone/scene/materials/materials.h"
#include "standalone/scene/materials/texture_maps.h"

namespace pellucid::standalone::build {

namespace {

// The library follows sub-maps recursively, so a map may not lead back to itself.
void CheckMapsAcyclic(const doc::Document& document) {
    enum class Mark { New, Open, Done };
    std::vector<Mark> marks(document.maps.size(), Mark::New);
    for (size_t start = 0; start < document.maps.size(); ++start) {
        if (marks[start] != Mark::New) {
            continue;
        }
        // Depth-first with a work list of (map, next sub-map to look at).
        std::vector<std::pair<size_t, size_t>> path{{start, 0}};
        marks[start] = Mark::Open;
        while (!path.empty()) {
            auto& [map, next] = path.back();
            const std::vector<int>& subs = document.maps[map].subMaps;
            if (next >= subs.size()) {
                marks[map] = Mark::Done;
                path.pop_back();
                continue;
            }
            const int sub = subs[next++];
            if (sub < 0) {
                continue;
            }
            if (marks[static_cast<size_t>(sub)] == Mark::Open) {
                Fail(ItemLabel("map", sub, document.maps[static_cast<size_t>(sub)].id),
                     "its sub-maps lead back to it");
            }
            if (marks[static_cast<size_t>(sub)] == Mark::New) {
                marks[static_cast<size_t>(sub)] = Mark::Open;
                path.push_back({static_cast<size_t>(sub), 0});
            }
        }
    }
}

}  // namespace

void BuildMaps(doc::Document& document, Scene& scene, Made& made) {
    const size_t count = document.maps.size();
    for (size_t i = 0; i < count; ++i) {
        const doc::Map& source = document.maps[i];
        for (int sub : source.subMaps) {
            CheckIndex(ItemLabel("map", static_cast<int>(i), source.id), "sub-map", sub, count,
                       true);
        }
    }
    CheckMapsAcyclic(document);
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
        const std::vector<int>& subs = scene.Maps()[i].source.subMaps;
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
        const std::string what = ItemLabel("material", static_cast<int>(i), source.id);
        for (const doc::MapSlot& slot : source.maps) {
            if (slot.slot < 0 || slot.slot >= kStandardSlotCount) {
                Fail(what, "map slot " + std::to_string(slot.slot) + " is not a slot 0 to 11");
            }
            CheckIndex(what, "map", slot.map, document.maps.size(), true);
            live[i]->SetSlot(slot.slot,
                             slot.map < 0 ? nullptr : made.maps[static_cast<size_t>(slot.map)],
                             slot.amount);
        }
        std::vector<Mtl*> subs;
        for (int sub : source.subMaterials) {
            CheckIndex(what, "sub-material", sub, document.materials.size(), true);
            subs.push_back(sub < 0 ? nullptr : made.materials[static_cast<size_t>(sub)]);
        }
        live[i]->SetSubMaterials(std::move(subs));
    }
}

}  // namespace pellucid::standalone::build
