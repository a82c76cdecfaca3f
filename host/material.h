// Materials, texture maps, their coordinate generators and bitmaps.
#pragma once

#include "host/animatable.h"
#include "host/point3.h"

class Texmap;
class UVGen;

class ISubMap {
  public:
    virtual ~ISubMap() = default;
    virtual int NumSubTexmaps() { return 0; }
    virtual Texmap* GetSubTexmap(int i) { return nullptr; }
    virtual const char* GetSubTexmapSlotName(int i) { return ""; }
};

class MtlBase : public ReferenceTarget, public ISubMap {
  public:
    virtual const char* GetName() = 0;
};

class Mtl : public MtlBase {
  public:
    SClass_ID SuperClassID() override { return MATERIAL_CLASS_ID; }
    virtual int NumSubMtls() { return 0; }
    virtual Mtl* GetSubMtl(int i) { return nullptr; }
    virtual Color GetAmbient(int mtlNum = 0, BOOL backFace = FALSE) = 0;
    virtual Color GetDiffuse(int mtlNum = 0, BOOL backFace = FALSE) = 0;
    virtual Color GetSpecular(int mtlNum = 0, BOOL backFace = FALSE) = 0;
    virtual float GetShininess(int mtlNum = 0, BOOL backFace = FALSE) = 0;
    virtual float GetShinStr(int mtlNum = 0, BOOL backFace = FALSE) = 0;
    virtual float GetSelfIllum(int mtlNum = 0, BOOL backFace = FALSE) = 0;
    virtual float GetXParency(int mtlNum = 0, BOOL backFace = FALSE) = 0;
};

constexpr int TRANSP_SUBTRACTIVE = 0;
constexpr int TRANSP_ADDITIVE = 1;
constexpr int TRANSP_FILTER = 2;

// The host's standard material: shading values by time and map amounts by slot.
class StdMat : public Mtl {
  public:
    Class_ID ClassID() override { return stdMtlClassID; }
    virtual int GetTransparencyType() = 0;
    virtual float GetShininess(TimeValue t) = 0;
    virtual float GetTexmapAmt(int id, TimeValue t) = 0;
    virtual Color GetDiffuse(TimeValue t) = 0;
};

class Texmap : public MtlBase {
  public:
    SClass_ID SuperClassID() override { return TEXMAP_CLASS_ID; }
    virtual UVGen* GetTheUVGen() { return nullptr; }
};

class UVGen : public ReferenceTarget {
  public:
    SClass_ID SuperClassID() override { return 0xc20; }
};

class StdUVGen : public UVGen {
  public:
    virtual float GetUScl(TimeValue t) = 0;
    virtual float GetVScl(TimeValue t) = 0;
};

// A loaded image; a bitmap without pixel storage answers 0 for both sizes.
class Bitmap {
  public:
    virtual ~Bitmap() = default;
    virtual int Width() = 0;
    virtual int Height() = 0;
    // Reads `count` pixels of row y from column x; answers 1 when read, 0 outside the image.
    virtual int GetPixels(int x, int y, int count, BMM_Color_64* pixels) = 0;
};

class BitmapTex : public Texmap {
  public:
    Class_ID ClassID() override { return bmTexClassID; }
    // The file name as the map records it.
    virtual const char* GetMapName() = 0;
    // The loaded image, or null.
    virtual Bitmap* GetBitmap(TimeValue t) = 0;
    virtual StdUVGen* GetUVGen() = 0;
    UVGen* GetTheUVGen() override { return GetUVGen(); }
};
