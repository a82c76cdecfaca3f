// The material list, the material lines, and the texture-map walk with its warnings.
#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

#include "mesh_export/enum_mesh.h"
#include "mesh_test_support.h"

namespace {

using testing::ElementsAre;

// "[a,b,...]" of the given JSON texts.
std::string JsonList(const std::vector<std::string>& items) {
    std::string list = "[";
    for (size_t i = 0; i < items.size(); ++i) {
        list += i > 0 ? "," : "";
        list += items[i];
    }
    return list + "]";
}

// A scene of one node with the given material over faces with the given material ids.
std::string Scene(const std::string& settings, const std::string& maps,
                  const std::string& materials, const std::string& material,
                  const std::string& materialIds) {
    const auto faceCount = std::count(materialIds.begin(), materialIds.end(), ',') + 1;
    const std::string faces =
        JsonList(std::vector<std::string>(static_cast<size_t>(faceCount), "[0,1,2]"));
    return R"({"pellucidScene": 1, "settings": )" + settings + R"(, "maps": )" + maps +
           R"(, "materials": )" + materials + R"(, "nodes": [{"name": "Body", "material": )" +
           material + R"(, "object": {"type": "mesh", "vertices": [[0,0,0],[1,0,0],[0,1,0]],
           "faces": )" +
           faces + R"(, "materialIds": )" + materialIds + "}}]}";
}

std::string MaterialsOnly(const std::string& materials, const std::string& material,
                          const std::string& materialIds) {
    return Scene("{}", "[]", materials, material, materialIds);
}

// The lines of the material section: between the header and the break.
std::vector<std::string> MaterialLines(const MeshExport& result) {
    std::vector<std::string> lines;
    for (size_t i = 1; i < result.lines.size() && result.lines[i] != "BreakScript();"; ++i) {
        lines.push_back(result.lines[i]);
    }
    return lines;
}

const char* const kThreeMaterials = R"([
    {"id": "A", "type": "standard", "name": "A", "diffuse": [0.1,0.2,0.3],
     "ambient": [0.4,0.5,0.6], "specular": [0.7,0.8,0.9], "shininess": 0.25,
     "shininessStrength": 0.125, "selfIllumination": 0.5, "transparency": 0.75,
     "transparencyType": "additive"},
    {"id": "B", "type": "standard", "name": "", "transparencyType": "subtractive"},
    {"id": "C", "type": "standard", "name": "C"},
    {"id": "multi", "type": "multi", "name": "multi", "subMaterials": ["A", null, "B"]},
    {"id": "three", "type": "multi", "name": "three", "subMaterials": ["A", "B", "C"]}])";

TEST(MeshMaterials, ListHoldsEachFaceMaterialOnceNullIncluded) {
    const MeshExport result =
        ExportMeshJson(MaterialsOnly(kThreeMaterials, R"("multi")", "[0,1,2,0,2]"));
    // The null entry (number 1) writes nothing but keeps its number; an empty name is "NONE".
    EXPECT_THAT(MaterialLines(result),
                ElementsAre("Material(0,\"A\",0.1,0.2,0.3,0.4,0.5,0.6,0.7,0.8,0.9,0.125,0.5,0.75);",
                            "MaterialTransparencyType(0, 1);", "MaterialShininess(0,0.25);",
                            "Material(2,\"NONE\",0.588,0.588,0.588,0.588,0.588,0.588,0.9,0.9,0.9,"
                            "0,0,0);",
                            "MaterialTransparencyType(2, -1);", "MaterialShininess(2,0.1);"));
    EXPECT_THAT(
        LinesStartingWith(result.lines, "Face("),
        ElementsAre("Face(0,0,2,1,0,2,1,0);", "Face(1,0,2,1,0,2,1,1);", "Face(2,0,2,1,0,2,1,2);",
                    "Face(3,0,2,1,0,2,1,0);", "Face(4,0,2,1,0,2,1,2);"));
    EXPECT_TRUE(result.messages.empty());
}

TEST(MeshMaterials, FilterTransparencyWritesNoTransparencyLine) {
    const MeshExport result = ExportMeshJson(MaterialsOnly(kThreeMaterials, R"("C")", "[0]"));
    EXPECT_THAT(MaterialLines(result),
                ElementsAre("Material(0,\"C\",0.588,0.588,0.588,0.588,0.588,0.588,0.9,0.9,0.9,0,0,"
                            "0);",
                            "MaterialShininess(0,0.1);"));
}

TEST(MeshMaterials, MaterialIdsWrapAndWarnOnlyWhenTheyBringANewEntry) {
    // Id 4 of three sub-materials is sub-material 1, new here: one warning.
    MeshExport result = ExportMeshJson(MaterialsOnly(kThreeMaterials, R"("three")", "[0,4,1,3]"));
    EXPECT_THAT(result.messages, ElementsAre("Illegal material index: Illegal material index 4"));
    EXPECT_THAT(LinesStartingWith(result.lines, "Face("),
                ElementsAre("Face(0,0,2,1,0,2,1,0);", "Face(1,0,2,1,0,2,1,1);",
                            "Face(2,0,2,1,0,2,1,1);", "Face(3,0,2,1,0,2,1,0);"));
    // Sub-material 1 is listed before the face of id 4 comes: no warning.
    result = ExportMeshJson(MaterialsOnly(kThreeMaterials, R"("three")", "[1,4]"));
    EXPECT_TRUE(result.messages.empty());
    // Id 3 wraps to sub-material 0 and warns when it is the first to use it.
    result = ExportMeshJson(MaterialsOnly(kThreeMaterials, R"("three")", "[3,0]"));
    EXPECT_THAT(result.messages, ElementsAre("Illegal material index: Illegal material index 3"));
}

TEST(MeshMaterials, OtherMaterialClassesUseStandardDefaults) {
    const MeshExport result = ExportMeshJson(
        MaterialsOnly(R"([{"id": "o", "type": "other", "name": "Odd"}])", R"("o")", "[0]"));
    EXPECT_THAT(MaterialLines(result),
                ElementsAre("Material(0,\"Odd\",0.588,0.588,0.588,0.588,0.588,0.588,0.9,0.9,0.9,0,"
                            "0,0);",
                            "MaterialShininess(0,0.1);"));
}

TEST(MeshMaterials, MultiMaterialWithoutSubMaterialsGivesNoMaterial) {
    const MeshExport result = ExportMeshJson(
        MaterialsOnly(R"([{"id": "empty", "type": "multi", "name": "empty", "subMaterials": []}])",
                      R"("empty")", "[0,1]"));
    EXPECT_TRUE(MaterialLines(result).empty());
    EXPECT_THAT(LinesStartingWith(result.lines, "Face("),
                ElementsAre("Face(0,0,2,1,0,2,1,0);", "Face(1,0,2,1,0,2,1,0);"));
    // Every id is at or beyond the count of none: the face that brings the null entry warns.
    EXPECT_THAT(result.messages, ElementsAre("Illegal material index: Illegal material index 0"));
}

TEST(MeshMaterials, FullListTakesNoNewMaterial) {
    // 2049 faces, each with its own sub-material: the last one finds the list full.
    std::vector<std::string> materials;
    std::vector<std::string> subMaterials;
    std::vector<std::string> ids;
    for (int i = 0; i < MAX_MATERIALS + 1; ++i) {
        std::string id = "m";
        id += std::to_string(i);
        materials.push_back(R"({"id": ")" + id + R"(", "type": "standard", "name": ")" + id +
                            R"("})");
        subMaterials.push_back('"' + id + '"');
        ids.push_back(std::to_string(i));
    }
    materials.push_back(R"({"id": "all", "type": "multi", "name": "all", "subMaterials": )" +
                        JsonList(subMaterials) + "}");
    const MeshExport result =
        ExportMeshJson(MaterialsOnly(JsonList(materials), R"("all")", JsonList(ids)));
    const auto faces = LinesStartingWith(result.lines, "Face(");
    ASSERT_EQ(faces.size(), static_cast<size_t>(MAX_MATERIALS + 1));
    EXPECT_EQ(faces[MAX_MATERIALS - 1], "Face(2047,0,2,1,0,2,1,2047);");
    EXPECT_EQ(faces[MAX_MATERIALS], "Face(2048,0,2,1,0,2,1,-1);");
    EXPECT_EQ(LinesStartingWith(result.lines, "Material(").size(),
              static_cast<size_t>(MAX_MATERIALS));
    EXPECT_TRUE(result.messages.empty());
}

// A material whose slots hold the given map references.
std::string MaterialWithSlots(const std::string& slots) {
    return R"([{"id": "m", "type": "standard", "name": "m", "maps": )" + slots + "}]";
}

std::string Bitmap(const std::string& id, const std::string& file, int width, int height) {
    return R"({"id": ")" + id + R"(", "type": "bitmap", "file": ")" + file +
           R"(", "image": {"width": )" + std::to_string(width) + R"(, "height": )" +
           std::to_string(height) + R"(, "fill": [1,2,3,255]}})";
}

TEST(MeshTextureMaps, SlotNamesMasksAndRgbMultiplyWalk) {
    const std::string maps = JsonList(
        {Bitmap("amb", "p:\\\\maps\\\\amb.tga", 64, 64), Bitmap("a", "P:\\\\a.tga", 256, 256),
         Bitmap("b", "P:\\\\b.tga", 8, 2048), Bitmap("c", "P:\\\\c.tga", 16, 16),
         Bitmap("noName", "", 16, 16), R"({"id": "mask", "type": "mask", "map": "b", "mask": "c"})",
         R"({"id": "mult", "type": "rgbMultiply", "maps": ["a", "mask"]})",
         R"({"id": "odd", "type": "other", "maps": ["a"]})"});
    const std::string slots = R"([{"slot": "Ambient Color", "map": "amb", "amount": 1},
        {"slot": "Diffuse Color", "map": "mult", "amount": 0.5},
        {"slot": "Opacity", "map": "odd"}, {"slot": "Bump", "map": "noName"},
        {"slot": "Specular Level", "map": "c", "amount": 0.25}])";
    const MeshExport result =
        ExportMeshJson(Scene("{}", maps, MaterialWithSlots(slots), R"("m")", "[0]"));
    EXPECT_THAT(LinesStartingWith(MaterialLines(result), "M"),
                ElementsAre(testing::StartsWith("Material(0,\"m\","), "MaterialShininess(0,0.1);"));
    // Slots in slot order; the diffuse slot's name is cut to "Diffuse"; the mask's map is
    // written with flag 1, its mask not; other map classes and empty file names write nothing.
    std::vector<std::string> textures = MaterialLines(result);
    textures.erase(textures.begin(), textures.begin() + 2);
    EXPECT_THAT(textures, ElementsAre("Ambient ColorTMap(0,\"p:/maps/amb.tga\",1,0);",
                                      "DiffuseTMap(0,\"P:/a.tga\",0.5,0);",
                                      "DiffuseTMap(0,\"P:/b.tga\",0.5,1);",
                                      "Specular LevelTMap(0,\"P:/c.tga\",0.25,0);"));
    EXPECT_TRUE(result.messages.empty());
}

TEST(MeshTextureMaps, DriveAndSizeWarningsLeaveTheLineWritten) {
    const std::string maps =
        JsonList({Bitmap("onC", "C:\\\\maps\\\\a.tga", 256, 256),
                  Bitmap("narrow", "P:\\\\n.tga", 256, 100), Bitmap("tiny", "P:\\\\t.tga", 4, 4),
                  Bitmap("wide", "P:\\\\w.tga", 4096, 8), Bitmap("empty", "P:\\\\e.tga", 0, 0),
                  R"({"id": "unloaded", "type": "bitmap", "file": "C:\\x.tga"})"});
    const std::string slots = R"([{"slot": 0, "map": "onC"}, {"slot": 1, "map": "narrow"},
        {"slot": 2, "map": "tiny"}, {"slot": 3, "map": "wide"}, {"slot": 4, "map": "empty"},
        {"slot": 5, "map": "unloaded"}])";
    const MeshExport result =
        ExportMeshJson(Scene("{}", maps, MaterialWithSlots(slots), R"("m")", "[0]"));
    std::vector<std::string> textures = MaterialLines(result);
    textures.erase(textures.begin(), textures.begin() + 2);
    EXPECT_THAT(textures, ElementsAre("Ambient ColorTMap(0,\"C:/maps/a.tga\",1,0);",
                                      "DiffuseTMap(0,\"P:/n.tga\",1,0);",
                                      "Specular ColorTMap(0,\"P:/t.tga\",1,0);",
                                      "Specular LevelTMap(0,\"P:/w.tga\",1,0);",
                                      "GlossinessTMap(0,\"P:/e.tga\",1,0);"));
    // The unloaded bitmap warns about its drive and writes no line.
    EXPECT_THAT(result.messages,
                ElementsAre("Warning: Texture not on drive P.", "Warning: Illegal texture size.",
                            "Warning: Illegal texture size.", "Warning: Illegal texture size.",
                            "Warning: Illegal texture size.", "Warning: Texture not on drive P."));
}

TEST(MeshTextureMaps, NetworkPathsUseTheMappedDrive) {
    const std::string settings = R"({"drives": [{"root": "C:\\"},
        {"root": "P:\\", "universalName": "\\\\server\\textures\\"}]})";
    const std::string maps =
        JsonList({Bitmap("mapped", "\\\\\\\\SERVER\\\\textures\\\\wood\\\\oak.tga", 256, 256),
                  Bitmap("unmapped", "\\\\\\\\other\\\\share\\\\x.tga", 256, 256)});
    const std::string slots = R"([{"slot": 1, "map": "mapped"}, {"slot": 2, "map": "unmapped"}])";
    const MeshExport result =
        ExportMeshJson(Scene(settings, maps, MaterialWithSlots(slots), R"("m")", "[0]"));
    std::vector<std::string> textures = MaterialLines(result);
    textures.erase(textures.begin(), textures.begin() + 2);
    EXPECT_THAT(textures, ElementsAre("DiffuseTMap(0,\"P:/wood/oak.tga\",1,0);",
                                      "Specular ColorTMap(0,\"//other/share/x.tga\",1,0);"));
    EXPECT_THAT(result.messages, ElementsAre("Warning: Texture not on drive P."));
}

}  // namespace
