// Materials: standard ones with the values that differ from the defaults, multi/sub-object ones
// with their sub-materials, and other classes by name.
#include "standalone/document/map_slots.h"
#include "standalone/document/type_names.h"
#include "standalone/document/write/write_context.h"

namespace pellucid::standalone {

namespace {

bool SameColor(const Color& a, const Color& b) {
    return SameBits(a.r, b.r) && SameBits(a.g, b.g) && SameBits(a.b, b.b);
}

}  // namespace

void SceneDocumentWriter::WriteMaterial(int index) {
    const doc::Material& material = document_.materials[static_cast<std::size_t>(index)];
    WriteEntry(materials_, index, "material", [&] {
        json_.Key("type");
        json_.String(NameOf(kMaterialTypeNames, material.type));
        json_.Key("name");
        json_.String(material.name);
        if (material.type == doc::MaterialType::Multi) {
            json_.Key("subMaterials");
            json_.BeginArray();
            for (int sub : material.subMaterials) {
                WriteMaterialReference(sub);
            }
            json_.EndArray();
        }
        if (material.type != doc::MaterialType::Standard) {
            return;
        }
        const doc::Material defaults;
        const std::pair<const char*, const Color*> colors[] = {{"ambient", &material.ambient},
                                                               {"diffuse", &material.diffuse},
                                                               {"specular", &material.specular}};
        const Color* defaultColors[] = {&defaults.ambient, &defaults.diffuse, &defaults.specular};
        for (std::size_t i = 0; i < 3; ++i) {
            if (!SameColor(*colors[i].second, *defaultColors[i])) {
                const Color& c = *colors[i].second;
                const float rgb[3] = {c.r, c.g, c.b};
                json_.Key(colors[i].first);
                json_.Floats(rgb);
            }
        }
        const std::pair<const char*, float> values[] = {
            {"shininess", material.shininess},
            {"shininessStrength", material.shininessStrength},
            {"selfIllumination", material.selfIllumination},
            {"transparency", material.transparency}};
        const float defaultValues[] = {defaults.shininess, defaults.shininessStrength,
                                       defaults.selfIllumination, defaults.transparency};
        for (std::size_t i = 0; i < 4; ++i) {
            if (!SameBits(values[i].second, defaultValues[i])) {
                json_.Key(values[i].first);
                json_.Float(values[i].second);
            }
        }
        if (material.transparencyType != doc::TransparencyType::Filter) {
            json_.Key("transparencyType");
            json_.String(NameOf(kTransparencyTypeNames, material.transparencyType));
        }
        if (!material.maps.empty()) {
            json_.Key("maps");
            json_.BeginArray();
            for (const doc::MapSlot& slot : material.maps) {
                json_.BeginObject();
                json_.Key("slot");
                if (slot.slot >= 0 && slot.slot < kMapSlotCount) {
                    json_.String(MapSlotName(slot.slot));
                } else {
                    json_.Fail("map slot out of range");
                }
                json_.Key("map");
                WriteMapReference(slot.map);
                json_.Key("amount");
                json_.Float(slot.amount);
                json_.EndObject();
            }
            json_.EndArray();
        }
    });
}

}  // namespace pellucid::standalone
