// Materials, maps and bitmaps of the scene model.
#include <gtest/gtest.h>

#include "standalone/support/model_support.h"

namespace pellucid::standalone::testing {
namespace {

doc::Map BitmapOf(doc::Image image, std::string file = "P:\\maps\\wood.tga") {
    doc::Map map;
    map.type = doc::MapType::Bitmap;
    map.file = std::move(file);
    map.image = std::move(image);
    return map;
}

doc::Image PixelImage() {
    doc::Image image;
    image.kind = doc::Image::Kind::Pixels;
    image.width = 2;
    image.height = 2;
    image.pixels = {{0, 1, 2, 3}, {255, 128, 0, 255}, {10, 20, 30, 40}, {1, 1, 1, 1}};
    return image;
}

// A node "Node" carrying material `material` of the document.
std::unique_ptr<StandaloneHost> HostWithMaterial(doc::Document document, int material) {
    const int node = AddNode(document, "Node");
    document.nodes[static_cast<size_t>(node)].material = material;
    return MakeHost(std::move(document));
}

TEST(ModelMaterials, StandardMaterialAnswersItsValuesAndSlots) {
    doc::Document document;
    document.maps.push_back(BitmapOf(PixelImage()));
    doc::Material material;
    material.name = "wood_M";
    material.diffuse = {0.5f, 0.25f, 0.125f};
    material.shininess = 0.3f;
    material.shininessStrength = 0.7f;
    material.transparency = 0.2f;
    material.transparencyType = doc::TransparencyType::Additive;
    material.maps = {{1, 0, 0.75f}};
    document.materials.push_back(material);
    auto host = HostWithMaterial(std::move(document), 0);
    auto* mtl = static_cast<StdMat*>(host->FindNodeByName("Node")->GetMtl());
    ASSERT_NE(mtl, nullptr);
    EXPECT_TRUE(mtl->ClassID() == stdMtlClassID);
    EXPECT_STREQ(mtl->GetName(), "wood_M");
    EXPECT_TRUE(mtl->GetDiffuse(0) == Color(0.5f, 0.25f, 0.125f));
    EXPECT_TRUE(static_cast<Mtl*>(mtl)->GetAmbient() == Color(0.588f, 0.588f, 0.588f));
    EXPECT_EQ(mtl->GetShininess(0), 0.3f);
    EXPECT_EQ(static_cast<Mtl*>(mtl)->GetShinStr(), 0.7f);
    EXPECT_EQ(static_cast<Mtl*>(mtl)->GetXParency(), 0.2f);
    EXPECT_EQ(mtl->GetTransparencyType(), TRANSP_ADDITIVE);
    ASSERT_EQ(mtl->NumSubTexmaps(), 12);
    EXPECT_STREQ(mtl->GetSubTexmapSlotName(0), "Ambient Color");
    EXPECT_STREQ(mtl->GetSubTexmapSlotName(1), "Diffuse Color");
    EXPECT_STREQ(mtl->GetSubTexmapSlotName(11), "Displacement");
    EXPECT_EQ(mtl->GetTexmapAmt(1, 0), 0.75f);
    EXPECT_EQ(mtl->GetSubTexmap(0), nullptr);
    ASSERT_NE(mtl->GetSubTexmap(1), nullptr);
    EXPECT_TRUE(mtl->GetSubTexmap(1)->ClassID() == bmTexClassID);
}

TEST(ModelMaterials, MultiAndOtherMaterialsAnswerTheStandardDefaults) {
    doc::Document document;
    doc::Material red;
    red.name = "red";
    red.diffuse = {1, 0, 0};
    document.materials.push_back(red);
    doc::Material multi;
    multi.type = doc::MaterialType::Multi;
    multi.name = "Body";
    multi.diffuse = {0, 1, 0};  // not answered: only standard materials have their own values
    multi.subMaterials = {0, -1};
    document.materials.push_back(multi);
    doc::Material other;
    other.type = doc::MaterialType::Other;
    other.name = "Raytraced";
    document.materials.push_back(other);
    auto host = HostWithMaterial(std::move(document), 1);
    Mtl* body = host->FindNodeByName("Node")->GetMtl();
    EXPECT_TRUE(body->ClassID() == multiMtlClassID);
    ASSERT_EQ(body->NumSubMtls(), 2);
    EXPECT_STREQ(body->GetSubMtl(0)->GetName(), "red");
    EXPECT_EQ(body->GetSubMtl(1), nullptr);
    EXPECT_TRUE(body->GetDiffuse() == Color(0.588f, 0.588f, 0.588f));
    EXPECT_EQ(body->NumSubTexmaps(), 0);
    auto* asStandard = static_cast<StdMat*>(body);
    EXPECT_EQ(asStandard->GetTransparencyType(), TRANSP_FILTER);
    EXPECT_EQ(asStandard->GetShininess(0), 0.1f);
    EXPECT_TRUE(static_cast<Mtl*>(asStandard)->GetSpecular() == Color(0.9f, 0.9f, 0.9f));
}

TEST(ModelMaterials, BitmapsWidenEightBitChannels) {
    doc::Document document;
    document.maps.push_back(BitmapOf(PixelImage()));
    document.maps[0].uTiling = 2;
    document.maps[0].vTiling = 3;
    doc::Material material;
    material.maps = {{1, 0, 1.0f}};
    document.materials.push_back(material);
    auto host = HostWithMaterial(std::move(document), 0);
    auto* map = static_cast<BitmapTex*>(host->FindNodeByName("Node")->GetMtl()->GetSubTexmap(1));
    EXPECT_STREQ(map->GetMapName(), "P:\\maps\\wood.tga");
    EXPECT_EQ(map->GetUVGen()->GetUScl(0), 2.0f);
    EXPECT_EQ(static_cast<StdUVGen*>(map->GetTheUVGen())->GetVScl(0), 3.0f);
    Bitmap* bitmap = map->GetBitmap(0);
    ASSERT_NE(bitmap, nullptr);
    EXPECT_EQ(bitmap->Width(), 2);
    EXPECT_EQ(bitmap->Height(), 2);
    BMM_Color_64 row[2];
    ASSERT_EQ(bitmap->GetPixels(0, 0, 2, row), 1);
    EXPECT_TRUE(row[0] == (BMM_Color_64{0, 257, 514, 771}));
    EXPECT_TRUE(row[1] == (BMM_Color_64{65535, 32896, 0, 65535}));
    BMM_Color_64 pixel;
    ASSERT_EQ(bitmap->GetPixels(0, 1, 1, &pixel), 1);
    EXPECT_EQ(pixel.r, 2570);
    EXPECT_EQ(bitmap->GetPixels(1, 1, 2, row), 0);
    EXPECT_EQ(bitmap->GetPixels(0, 2, 1, row), 0);
    EXPECT_EQ(bitmap->GetPixels(-1, 0, 1, row), 0);
}

TEST(ModelMaterials, FilledEmptyAndMissingImages) {
    doc::Document document;
    doc::Image fill;
    fill.kind = doc::Image::Kind::Fill;
    fill.width = 100000;  // no storage beyond one colour
    fill.height = 100000;
    fill.fill = {1, 2, 3, 4};
    document.maps.push_back(BitmapOf(fill));
    doc::Image empty;
    empty.kind = doc::Image::Kind::Fill;
    document.maps.push_back(BitmapOf(empty));
    doc::Image missing;
    missing.kind = doc::Image::Kind::File;
    missing.path = "nowhere.png";
    missing.fileMissing = true;
    document.maps.push_back(BitmapOf(missing));
    document.maps.push_back(BitmapOf(doc::Image()));
    doc::Material material;
    material.maps = {{0, 0, 1}, {1, 1, 1}, {2, 2, 1}, {3, 3, 1}};
    document.materials.push_back(material);
    auto host = HostWithMaterial(std::move(document), 0);
    Mtl* mtl = host->FindNodeByName("Node")->GetMtl();
    auto bitmapOf = [&](int slot) {
        return static_cast<BitmapTex*>(mtl->GetSubTexmap(slot))->GetBitmap(0);
    };
    BMM_Color_64 pixel;
    ASSERT_NE(bitmapOf(0), nullptr);
    EXPECT_EQ(bitmapOf(0)->GetPixels(99999, 99999, 1, &pixel), 1);
    EXPECT_TRUE(pixel == (BMM_Color_64{257, 514, 771, 1028}));
    ASSERT_NE(bitmapOf(1), nullptr);
    EXPECT_EQ(bitmapOf(1)->Width(), 0);
    EXPECT_EQ(bitmapOf(1)->Height(), 0);
    EXPECT_EQ(bitmapOf(1)->GetPixels(0, 0, 1, &pixel), 0);
    EXPECT_EQ(bitmapOf(2), nullptr);
    EXPECT_EQ(bitmapOf(3), nullptr);
}

TEST(ModelMaterials, RGBMultiplyAndMaskMapsOfferTheirSubMaps) {
    doc::Document document;
    document.maps.push_back(BitmapOf(PixelImage(), "a.tga"));
    document.maps.push_back(BitmapOf(PixelImage(), "b.tga"));
    doc::Map multiply;
    multiply.type = doc::MapType::RGBMultiply;
    multiply.subMaps = {0, 1};
    document.maps.push_back(multiply);
    doc::Map mask;
    mask.type = doc::MapType::Mask;
    mask.subMaps = {2, 0};  // map, mask
    document.maps.push_back(mask);
    doc::Map other;
    other.type = doc::MapType::Other;
    other.subMaps = {1};
    document.maps.push_back(other);
    doc::Material material;
    material.maps = {{1, 3, 1}, {2, 4, 1}};
    document.materials.push_back(material);
    auto host = HostWithMaterial(std::move(document), 0);
    Mtl* mtl = host->FindNodeByName("Node")->GetMtl();
    Texmap* maskMap = mtl->GetSubTexmap(1);
    EXPECT_TRUE(maskMap->ClassID() == maskClassID);
    ASSERT_EQ(maskMap->NumSubTexmaps(), 2);
    Texmap* multiplyMap = maskMap->GetSubTexmap(0);
    EXPECT_TRUE(multiplyMap->ClassID() == rgbMultClassID);
    EXPECT_STREQ(static_cast<BitmapTex*>(multiplyMap->GetSubTexmap(1))->GetMapName(), "b.tga");
    EXPECT_STREQ(static_cast<BitmapTex*>(maskMap->GetSubTexmap(1))->GetMapName(), "a.tga");
    Texmap* otherMap = mtl->GetSubTexmap(2);
    EXPECT_FALSE(otherMap->ClassID() == bmTexClassID);
    EXPECT_EQ(otherMap->NumSubTexmaps(), 1);
}

}  // namespace
}  // namespace pellucid::standalone::testing
