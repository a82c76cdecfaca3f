// Texture maps of the stand-alone host: bitmap, RGB multiply, mask and maps of other classes.
#pragma once

#include <memory>
#include <string>
#include <vector>

#include "host/material.h"
#include "standalone/scene/materials/image_bitmap.h"

namespace pellucid::standalone {

constexpr Class_ID otherMapClassID(0x50c1d001, 0x7e110030);

// Tiling of a bitmap's texture coordinates.
class TilingUVGen : public StdUVGen {
  public:
    TilingUVGen(float u, float v) : u_(u), v_(v) {}
    float GetUScl(TimeValue) override { return u_; }
    float GetVScl(TimeValue) override { return v_; }
    void DeleteThis() override {}  // owned by its map

  private:
    float u_;
    float v_;
};

class BitmapMap : public BitmapTex {
  public:
    BitmapMap(std::string file, std::unique_ptr<ImageBitmap> bitmap, float uTiling, float vTiling);

    const char* GetName() override { return "Bitmap"; }
    const char* GetMapName() override { return file_.c_str(); }
    Bitmap* GetBitmap(TimeValue) override { return bitmap_.get(); }
    StdUVGen* GetUVGen() override { return &uvGen_; }

  private:
    std::string file_;
    std::unique_ptr<ImageBitmap> bitmap_;
    TilingUVGen uvGen_;
};

// A map whose only content is its sub-maps, with a class id and slot names of its kind.
class ComposedMap : public Texmap {
  public:
    ComposedMap(Class_ID classId, std::string name, std::vector<Texmap*> subMaps,
                std::vector<std::string> slotNames);

    Class_ID ClassID() override { return classId_; }
    const char* GetName() override { return name_.c_str(); }
    int NumSubTexmaps() override { return static_cast<int>(subMaps_.size()); }
    Texmap* GetSubTexmap(int i) override;
    const char* GetSubTexmapSlotName(int i) override;
    void SetSubMap(int i, Texmap* map);

  private:
    Class_ID classId_;
    std::string name_;
    std::vector<Texmap*> subMaps_;
    std::vector<std::string> slotNames_;
};

// RGB multiply: sub-maps 0 and 1.
std::unique_ptr<ComposedMap> MakeRGBMultiplyMap(Texmap* first, Texmap* second);
// Mask: sub-map 0 is the map, 1 the mask.
std::unique_ptr<ComposedMap> MakeMaskMap(Texmap* map, Texmap* mask);
// A map of another class with its sub-maps.
std::unique_ptr<ComposedMap> MakeOtherMap(std::vector<Texmap*> subMaps);

}  // namespace pellucid::standalone
