// What the reader tells a user who got a document nearly right: the byte-order mark of some
// editors is accepted, misspelt names get the nearest known one, and files outside the document's
// folder are refused with the way out.
#include <gtest/gtest.h>

#include "standalone/support/document_equality.h"
#include "standalone/support/document_support.h"

namespace pellucid::standalone::test {
namespace {

namespace fs = std::filesystem;

const std::string kBom = "\xEF\xBB\xBF";

TEST(DocumentGuidance, AByteOrderMarkIsNotPartOfTheDocument) {
    const std::string json =
        R"({"pellucidScene": 1, "nodes": [{"name": "A", "object": {"type": "box"}}]})";
    EXPECT_EQ(DescribeDocumentDifference(Parse(kBom + json), Parse(json)), "");

    // From a file, as an editor saves it; syntax errors count columns after the mark.
    const std::string folder = FreshDirectory("document_bom");
    WriteText(folder + "/bom.pscene.json", kBom + json);
    EXPECT_EQ(ReadSceneDocument(folder + "/bom.pscene.json").nodes.size(), 1u);
    EXPECT_EQ(RefusalOf(kBom + R"({"pellucidScene": 1 "nodes": []})"),
              "test.pscene.json: line 1, column 21: malformed JSON: expected ',' or '}'");
    // Only at the start: anywhere else it is text that is not JSON.
    EXPECT_EQ(RefusalOf(" " + kBom + json),
              "test.pscene.json: line 1, column 2: malformed JSON: expected a value");
}

struct Misspelling {
    const char* what;
    std::string json;
    std::string message;  // after "test.pscene.json: "
};

TEST(DocumentGuidance, UnknownNamesGetTheNearestKnownOne) {
    const std::string material =
        R"({"pellucidScene": 1, "materials": [{"id": "Skin", "type": "standard", "name": ""}, )"
        R"({"id": "Cloth", "type": "standard", "name": ""}], "nodes": [{"name": "A", )";
    const std::string tree =
        R"({"pellucidScene": 1, "nodes": [{"id": "hips", "name": "Bip01 Pelvis"}, )"
        R"({"name": "Bip01 Spine"}, {"name": "C", "link": [{"target": )";
    const std::vector<Misspelling> cases = {
        {"top-level field", R"({"pellucidScene": 1, "setings": {}})",
         "/setings: unknown field \"setings\" (did you mean \"settings\"?)"},
        {"swapped letters", WithNode(R"("name": "A", "hidedn": true)"),
         "/nodes/0/hidedn: unknown field \"hidedn\" (did you mean \"hidden\"?)"},
        {"case", R"({"pellucidScene": 1, "settings": {"ticksperframe": 160}})",
         "/settings/ticksperframe: unknown field \"ticksperframe\" (did you mean "
         "\"ticksPerFrame\"?)"},
        {"nothing near", WithNode(R"("name": "A", "wireframe": true)"),
         "/nodes/0/wireframe: unknown field \"wireframe\""},
        {"shared id", material + R"("material": "skin"}]})",
         "/nodes/0/material: unknown material id \"skin\" (did you mean \"Skin\"?)"},
        {"shared id far off", material + R"("material": "Leather"}]})",
         "/nodes/0/material: unknown material id \"Leather\""},
        {"node name", tree + R"("Bip01 Spline"}]}]})",
         "/nodes/2/link/0/target: unknown node \"Bip01 Spline\" (no node has this id or name; "
         "did you mean \"Bip01 Spine\"?)"},
        {"node id", tree + R"("hip"}]}]})",
         "/nodes/2/link/0/target: unknown node \"hip\" (no node has this id or name; did you "
         "mean \"hips\"?)"},
    };
    for (const Misspelling& c : cases) {
        SCOPED_TRACE(c.what);
        EXPECT_EQ(RefusalOf(c.json), "test.pscene.json: " + c.message);
    }
}

TEST(DocumentGuidance, AnUnknownMapSlotListsTheSlots) {
    const auto refusal = [](std::string_view slot) {
        return RefusalOf(
            R"({"pellucidScene": 1, "materials": [{"id": "a", "type": "standard", "name": "", )"
            R"("maps": [{"slot": ")" +
            std::string(slot) + R"(", "map": null}]}]})");
    };
    const std::string slots =
        "; expected one of \"Ambient Color\", \"Diffuse Color\", \"Specular Color\", "
        "\"Specular Level\", \"Glossiness\", \"Self-Illumination\", \"Opacity\", \"Filter "
        "Color\", \"Bump\", \"Reflection\", \"Refraction\", \"Displacement\" or a slot number "
        "from 0 to 11";
    const std::string at = "test.pscene.json: /materials/0/maps/0/slot: ";
    EXPECT_EQ(refusal("Normal"), at + "unknown map slot \"Normal\"" + slots);
    EXPECT_EQ(refusal("Diffuse Colour"),
              at + "unknown map slot \"Diffuse Colour\" (did you mean \"Diffuse Color\"?)" + slots);
}

// A document in <root>/scene/ whose image or side file is named by `file`.
class OutsidePaths : public ::testing::Test {
  protected:
    void SetUp() override {
        // One folder per test: the tests of a suite may run at once.
        root_ = FreshDirectory(std::string("document_outside_paths_") +
                               ::testing::UnitTest::GetInstance()->current_test_info()->name());
        fs::create_directories(root_ + "/scene/textures");
        const std::string png = ScenesDirectory() + "/images/tiny.png";
        fs::copy_file(png, root_ + "/outside.png");
        fs::copy_file(png, root_ + "/scene/textures/inside.png");
        WriteText(root_ + "/outside.bin", std::string(36, '\0'));
        WriteText(root_ + "/scene/inside.bin", std::string(36, '\0'));
    }

    std::string Image(const std::string& file) const {
        return R"({"pellucidScene": 1, "maps": [{"id": "a", "type": "bitmap", "image": ")" + file +
               R"("}]})";
    }
    std::string SideFile(const std::string& file) const {
        return R"({"pellucidScene": 1, "objects": [{"id": "m", "type": "mesh", "vertices": )"
               R"({"file": ")" +
               file + R"(", "count": 3, "type": "float32"}}]})";
    }
    std::string Refusal(const std::string& json) const { return RefusalOf(json, root_ + "/scene"); }

    std::string root_;
};

TEST_F(OutsidePaths, AreRefusedWithThePointerAndTheWayOut) {
    const std::string advice =
        ": files are read only from the document's folder and below; move it there and name it "
        "relative to the document, or allow files outside the document's folder";
    const std::string outsidePng = root_ + "/outside.png";
    EXPECT_EQ(Refusal(Image("../outside.png")),
              "test.pscene.json: /maps/0/image: image \"../outside.png\" climbs out of the "
              "document's folder" +
                  advice);
    EXPECT_EQ(Refusal(Image(outsidePng)), "test.pscene.json: /maps/0/image: image \"" + outsidePng +
                                              "\" is an absolute path" + advice);
    EXPECT_EQ(Refusal(SideFile("textures/../../outside.bin")),
              "test.pscene.json: /objects/0/vertices/file: side file "
              "\"textures/../../outside.bin\" climbs out of the document's folder" +
                  advice);
    // A climb that stays inside is a path like any other.
    EXPECT_EQ(Refusal(Image("textures/../textures/inside.png")), "accepted");
    EXPECT_EQ(Refusal(SideFile("textures/../inside.bin")), "accepted");
}

TEST_F(OutsidePaths, AreReadWhenTheCallerAllowsThem) {
    ReadOptions options;
    options.allowOutsidePaths = true;
    const doc::Document document =
        ParseSceneDocument(Image(root_ + "/outside.png"), root_ + "/scene", "test", options);
    EXPECT_EQ(document.maps[0].image.width, 2);
    EXPECT_FALSE(document.maps[0].image.fileMissing);
    EXPECT_EQ(ParseSceneDocument(SideFile("../outside.bin"), root_ + "/scene", "test", options)
                  .objects[0]
                  .mesh.vertices.size(),
              3u);

    // A command line names its own switch in the refusal.
    ReadOptions strict;
    strict.allowOutsideRemedy = "pass --allow-outside-paths";
    try {
        ParseSceneDocument(Image("../outside.png"), root_ + "/scene", "test", strict);
        ADD_FAILURE() << "accepted";
    } catch (const DocumentError& error) {
        EXPECT_TRUE(std::string_view(error.what()).ends_with(", or pass --allow-outside-paths"))
            << error.what();
    }
}

}  // namespace
}  // namespace pellucid::standalone::test
