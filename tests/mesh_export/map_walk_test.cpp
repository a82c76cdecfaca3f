// The slot walk on map graphs that no scene document can hold: a map that refers to itself must
// not hang the export.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "host/material.h"
#include "host/text_stream.h"
#include "mesh_export/enum_mesh.h"
#include "mesh_test_support.h"

namespace {

class SquareBitmap : public Bitmap {
  public:
    int Width() override { return 16; }
    int Height() override { return 16; }
    int GetPixels(int, int, int, BMM_Color_64*) override { return 0; }
};

class FileMap : public BitmapTex {
  public:
    const char* GetName() override { return "file"; }
    const char* GetMapName() override { return "P:\\a.tga"; }
    Bitmap* GetBitmap(TimeValue) override { return &bitmap; }
    StdUVGen* GetUVGen() override { return nullptr; }
    SquareBitmap bitmap;
};

// An RGB-multiply or mask map with the given sub-maps.
class CombiningMap : public Texmap {
  public:
    explicit CombiningMap(Class_ID id) : id_(id) {}
    const char* GetName() override { return "combining"; }
    Class_ID ClassID() override { return id_; }
    int NumSubTexmaps() override { return static_cast<int>(subMaps.size()); }
    Texmap* GetSubTexmap(int i) override { return subMaps[static_cast<size_t>(i)]; }
    std::vector<Texmap*> subMaps;

  private:
    Class_ID id_;
};

std::string WalkSlot(Texmap* map) {
    CombiningMap owner(Class_ID(0x1234, 0));
    owner.subMaps = {map};
    const std::string path = ScratchPath("walk.mef");
    {
        TextStream out(path);
        EnumMesh_t worker(&out, 0, nullptr, path.c_str());
        worker.OutputMeshTMap(&owner, 0, 3, "Diffuse Color", 0.5f, false);
    }
    return ReadBytes(path);
}

TEST(MeshMapWalk, MapOnItsOwnPathEndsThatBranch) {
    FileMap file;
    CombiningMap loop(rgbMultClassID);
    loop.subMaps = {&loop, &file, &loop};
    EXPECT_EQ(WalkSlot(&loop), "DiffuseTMap(3,\"P:/a.tga\",0.5,0);\r\n");

    CombiningMap mask(maskClassID);
    mask.subMaps = {&mask, &file};
    EXPECT_EQ(WalkSlot(&mask), "");
}

TEST(MeshMapWalk, SharedMapsAreWalkedEachTimeTheyAreMet) {
    FileMap file;
    CombiningMap mask(maskClassID);
    mask.subMaps = {&file, &file};
    CombiningMap multiply(rgbMultClassID);
    multiply.subMaps = {&file, &mask, &file};
    EXPECT_EQ(WalkSlot(&multiply),
              "DiffuseTMap(3,\"P:/a.tga\",0.5,0);\r\n"
              "DiffuseTMap(3,\"P:/a.tga\",0.5,1);\r\n"
              "DiffuseTMap(3,\"P:/a.tga\",0.5,0);\r\n");
}

}  // namespace
