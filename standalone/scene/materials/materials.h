// Materials of the stand-alone host. Every material answers as the host's standard material,
// since the exporters read any face material through that interface: a standard material with
// its own values and twelve map slots; a multi/sub-object material with its sub-materials; a
// material of another class with the standard defaults and no slots.
#pragma once

#include <array>
#include <string>
#include <vector>

#include "host/material.h"
#include "standalone/document/map_slots.h"
#include "standalone/document/scene_document.h"

namespace pellucid::standalone {

constexpr Class_ID otherMaterialClassID(0x50c1d001, 0x7e110040);
constexpr int kStandardSlotCount = kMapSlotCount;

class SceneMaterial : public StdMat {
  public:
    struct Slot {
        Texmap* map = nullptr;
        float amount = 1.0f;
    };

    // `values` gives the type, name and (for a standard material) the shading values; maps and
    // sub-materials are set separately, since they are other live objects.
    explicit SceneMaterial(const doc::Material& values);

    Class_ID ClassID() override;
    const char* GetName() override { return name_.c_str(); }

    int NumSubMtls() override;
    Mtl* GetSubMtl(int i) override;
    int NumSubTexmaps() override;
    Texmap* GetSubTexmap(int i) override;
    const char* GetSubTexmapSlotName(int i) override;

    Color GetAmbient(int mtlNum = 0, BOOL backFace = FALSE) override { return Values().ambient; }
    Color GetDiffuse(int mtlNum = 0, BOOL backFace = FALSE) override { return Values().diffuse; }
    Color GetSpecular(int mtlNum = 0, BOOL backFace = FALSE) override { return Values().specular; }
    float GetShininess(int mtlNum = 0, BOOL backFace = FALSE) override {
        return Values().shininess;
    }
    float GetShinStr(int mtlNum = 0, BOOL backFace = FALSE) override {
        return Values().shininessStrength;
    }
    float GetSelfIllum(int mtlNum = 0, BOOL backFace = FALSE) override {
        return Values().selfIllumination;
    }
    float GetXParency(int mtlNum = 0, BOOL backFace = FALSE) override {
        return Values().transparency;
    }
    int GetTransparencyType() override;
    float GetShininess(TimeValue t) override { return Values().shininess; }
    float GetTexmapAmt(int id, TimeValue t) override;
    Color GetDiffuse(TimeValue t) override { return Values().diffuse; }

    void SetSlot(int slot, Texmap* map, float amount);
    void SetSubMaterials(std::vector<Mtl*> subMaterials) {
        subMaterials_ = std::move(subMaterials);
    }

  private:
    // The shading values answered: the material's own for a standard material, the standard
    // defaults for every other class.
    const doc::Material& Values() const;

    doc::MaterialType type_;
    std::string name_;
    doc::Material values_;
    std::array<Slot, kStandardSlotCount> slots_{};
    std::vector<Mtl*> subMaterials_;
};

}  // namespace pellucid::standalone
