// Large arrays given as ranges of a binary side file beside the document.
#include <gtest/gtest.h>

#include <cstdint>
#include <cstring>
#include <vector>

#include "standalone/support/document_equality.h"
#include "standalone/support/document_support.h"

namespace pellucid::standalone::test {
namespace {

TEST(DocumentSideFiles, ReadTheSameDocumentAsInlineArrays) {
    const doc::Document fromFile =
        ReadSceneDocument(ScenesDirectory() + "/document_side_arrays.pscene.json");
    const doc::Document inlined =
        ReadSceneDocument(ScenesDirectory() + "/document_side_arrays_inline.pscene.json");
    EXPECT_EQ(DescribeDocumentDifference(fromFile, inlined), "");
    EXPECT_EQ(fromFile.objects[0].mesh.vertices.size(), 4u);
    EXPECT_EQ(fromFile.objects[0].mesh.smoothing[1], 0x80000000u);
}

// Little-endian 32-bit words, as side files hold them.
std::string Words(std::initializer_list<std::uint32_t> words) {
    std::string bytes;
    for (std::uint32_t w : words) {
        for (int i = 0; i < 4; ++i) {
            bytes += static_cast<char>((w >> (8 * i)) & 0xffu);
        }
    }
    return bytes;
}

std::uint32_t FloatBits(float f) {
    std::uint32_t bits;
    std::memcpy(&bits, &f, 4);
    return bits;
}

class SideFileRefusals : public ::testing::Test {
  protected:
    void SetUp() override {
        folder_ = FreshDirectory("document_side_files");
        // Four vertices of a quad, then faces as int32 with a negative and a too-large index.
        const std::uint32_t one = FloatBits(1.0f);
        WriteText(folder_ + "/mesh.bin", Words({0, 0, 0, one, 0, 0, one, one, 0, 0, one, 0}) +
                                             Words({0, 1, 2, 2, 0xffffffffu, 0, 0, 1, 7}));
        std::filesystem::create_directories(folder_ + "/folder.bin");
    }

    std::string RefusalOfMesh(std::string_view vertices, std::string_view faces) {
        const std::string json =
            std::string(
                R"({"pellucidScene": 1, "objects": [{"id": "m", "type": "mesh", "vertices": )") +
            std::string(vertices) + R"(, "faces": )" + std::string(faces) + "}]}";
        return RefusalOf(json, folder_);
    }

    static constexpr const char* kVertices =
        R"({"file": "mesh.bin", "offset": 0, "count": 4, "type": "float32"})";
    std::string folder_;
};

TEST_F(SideFileRefusals, AcceptTheGoodRanges) {
    EXPECT_EQ(RefusalOfMesh(kVertices,
                            R"({"file": "mesh.bin", "offset": 48, "count": 1, "type": "int32"})"),
              "accepted");
    EXPECT_EQ(RefusalOfMesh(R"({"file": "mesh.bin", "count": 0, "type": "float32"})", "[]"),
              "accepted");
}

TEST_F(SideFileRefusals, NameTheArrayAndWhatIsWrongWithTheFile) {
    const struct {
        const char* what;
        std::string vertices;
        std::string faces;
        std::string message;
    } cases[] = {
        {"missing file", R"({"file": "nope.bin", "count": 1, "type": "float32"})", "[]",
         "/objects/0/vertices: side file \"nope.bin\" does not exist"},
        {"a folder", R"({"file": "folder.bin", "count": 1, "type": "float32"})", "[]",
         "/objects/0/vertices: side file \"folder.bin\" is not a file"},
        {"too short", R"({"file": "mesh.bin", "offset": 40, "count": 4, "type": "float32"})", "[]",
         "/objects/0/vertices: side file \"mesh.bin\" is too short: 48 bytes wanted from offset "
         "40, the file has 84"},
        {"offset beyond the end",
         R"({"file": "mesh.bin", "offset": 100, "count": 0, "type": "float32"})", "[]",
         "/objects/0/vertices: side file \"mesh.bin\" is too short: 0 bytes wanted from offset "
         "100, the file has 84"},
        {"huge count", R"({"file": "mesh.bin", "count": 4611686018427387904, "type": "float32"})",
         "[]",
         "/objects/0/vertices: side file \"mesh.bin\" is too short for 4611686018427387904 "
         "elements"},
        {"negative count", R"({"file": "mesh.bin", "count": -1, "type": "float32"})", "[]",
         "/objects/0/vertices/count: expected a count of 0 or more, found -1"},
        {"negative offset", R"({"file": "mesh.bin", "offset": -4, "count": 1, "type": "float32"})",
         "[]", "/objects/0/vertices/offset: expected an offset of 0 or more, found -4"},
        {"no count", R"({"file": "mesh.bin", "type": "float32"})", "[]",
         "/objects/0/vertices: missing required field \"count\""},
        {"unknown field", R"({"file": "mesh.bin", "count": 1, "type": "float32", "stride": 12})",
         "[]", "/objects/0/vertices/stride: unknown field \"stride\""},
        {"wrong type for points", R"({"file": "mesh.bin", "count": 1, "type": "int32"})", "[]",
         "/objects/0/vertices/type: expected the type \"float32\""},
        {"wrong type for faces", kVertices,
         R"({"file": "mesh.bin", "offset": 48, "count": 1, "type": "float32"})",
         "/objects/0/faces/type: expected the type \"int32\" or \"uint32\""},
        {"negative index", kVertices,
         R"({"file": "mesh.bin", "offset": 48, "count": 2, "type": "int32"})",
         "/objects/0/faces: element 1: negative index -1"},
        {"index beyond the vertices", kVertices,
         R"({"file": "mesh.bin", "offset": 60, "count": 2, "type": "uint32"})",
         "/objects/0/faces/0: index 4294967295 is out of range: there are 4 vertices"},
        {"index beyond the vertices", kVertices,
         R"({"file": "mesh.bin", "offset": 72, "count": 1, "type": "uint32"})",
         "/objects/0/faces/0: index 7 is out of range: there are 4 vertices"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        EXPECT_EQ(RefusalOfMesh(c.vertices, c.faces), "test.pscene.json: " + c.message);
    }
}

}  // namespace
}  // namespace pellucid::standalone::test
