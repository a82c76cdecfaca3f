#include "standalone/scene/materials/materials.h"

namespace pellucid::standalone {

namespace {

const doc::Material& StandardDefaults() {
    static const doc::Material defaults;
    return defaults;
}

}  // namespace

SceneMaterial::SceneMaterial(const doc::Material& values)
    : type_(values.type), name_(values.name), values_(values) {
    values_.maps.clear();
    values_.subMaterials.clear();
}

Class_ID SceneMaterial::ClassID() {
    switch (type_) {
        case doc::MaterialType::Standard:
            return stdMtlClassID;
        case doc::MaterialType::Multi:
            return multiMtlClassID;
        case doc::MaterialType::Other:
            break;
    }
    return otherMaterialClassID;
}

const doc::Material& SceneMaterial::Values() const {
    return type_ == doc::MaterialType::Standard ? values_ : StandardDefaults();
}

int SceneMaterial::NumSubMtls() {
    return type_ == doc::MaterialType::Multi ? static_cast<int>(subMaterials_.size()) : 0;
}

Mtl* SceneMaterial::GetSubMtl(int i) {
    return i >= 0 && i < NumSubMtls() ? subMaterials_[static_cast<size_t>(i)] : nullptr;
}

int SceneMaterial::NumSubTexmaps() {
    return type_ == doc::MaterialType::Standard ? kStandardSlotCount : 0;
}

Texmap* SceneMaterial::GetSubTexmap(int i) {
    return i >= 0 && i < NumSubTexmaps() ? slots_[static_cast<size_t>(i)].map : nullptr;
}

const char* SceneMaterial::GetSubTexmapSlotName(int i) {
    // The names are string literals, so their views end in a terminating zero.
    return i >= 0 && i < NumSubTexmaps() ? MapSlotName(i).data() : "";
}

int SceneMaterial::GetTransparencyType() {
    switch (Values().transparencyType) {
        case doc::TransparencyType::Subtractive:
            return TRANSP_SUBTRACTIVE;
        case doc::TransparencyType::Additive:
            return TRANSP_ADDITIVE;
        case doc::TransparencyType::Filter:
            break;
    }
    return TRANSP_FILTER;
}

float SceneMaterial::GetTexmapAmt(int id, TimeValue) {
    return id >= 0 && id < NumSubTexmaps() ? slots_[static_cast<size_t>(id)].amount : 1.0f;
}

void SceneMaterial::SetSlot(int slot, Texmap* map, float amount) {
    if (slot >= 0 && slot < kStandardSlotCount) {
        slots_[static_cast<size_t>(slot)] = {map, amount};
    }
}

}  // namespace pellucid::standalone
