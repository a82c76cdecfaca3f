// Writing scene documents: the text form, round trips, sharing decisions and refusals.
#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <cmath>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <functional>
#include <limits>
#include <random>

#include "standalone/document/json/json_writer.h"
#include "standalone/support/document_equality.h"
#include "standalone/support/document_support.h"

namespace pellucid::standalone::test {
namespace {

namespace fs = std::filesystem;

TEST(DocumentWriting, EveryTestDocumentReadsBackEqualAfterWriting) {
    const std::vector<std::string> paths = ValidDocuments();
    ASSERT_GE(paths.size(), 4u);
    for (const std::string& path : paths) {
        SCOPED_TRACE(path);
        const doc::Document original = ReadSceneDocument(path);
        const std::string text = SerializeSceneDocument(original);
        const doc::Document again =
            ParseSceneDocument(text, original.baseDirectory, "written.pscene.json");
        EXPECT_EQ(DescribeDocumentDifference(original, again), "");
        // The second writing gives the same bytes.
        EXPECT_EQ(SerializeSceneDocument(again), text);
    }
}

TEST(DocumentWriting, TheFullDocumentIsWrittenAsTheGoldenText) {
    const doc::Document document =
        ReadSceneDocument(ScenesDirectory() + "/document_everything.pscene.json");
    const std::string golden = ScenesDirectory() + "/expected/document_everything.pscene.json";
    const std::string text = SerializeSceneDocument(document);
    if (std::getenv("PELLUCID_UPDATE_GOLDEN") != nullptr) {
        WriteText(golden, text);
    }
    EXPECT_EQ(text, ReadBytes(golden));
}

TEST(DocumentWriting, WritingElsewhereKeepsRelativeImagesFindable) {
    const doc::Document original =
        ReadSceneDocument(ScenesDirectory() + "/document_everything.pscene.json");
    const std::string folder = FreshDirectory("document_written_elsewhere") + "/deeper";
    fs::create_directories(folder);
    WriteSceneDocument(original, folder + "/copy.pscene.json");
    EXPECT_FALSE(fs::exists(folder + "/copy.pscene.json.partial"));

    // The rewritten paths climb out of the copy's folder, which only a reader allowing it reads.
    ReadOptions options;
    options.allowOutsidePaths = true;
    const doc::Document copy = ReadSceneDocument(folder + "/copy.pscene.json", options);
    EXPECT_EQ(copy.baseDirectory, folder);
    const doc::Image& png = copy.maps[0].image;
    EXPECT_FALSE(png.fileMissing);
    EXPECT_EQ(png.pixels, original.maps[0].image.pixels);
    EXPECT_EQ(fs::path(folder) / png.path,
              fs::path(folder) / fs::relative(ScenesDirectory() + "/images/tiny.png", folder));
    EXPECT_TRUE(copy.maps[2].image.fileMissing);
    EXPECT_EQ(copy.maps[3].image.fill, original.maps[3].image.fill);
}

TEST(DocumentWriting, UnwritableTargetIsRefusedAndLeavesNoFile) {
    const std::string folder = FreshDirectory("document_unwritable");
    const std::string target = folder + "/missing-folder/out.pscene.json";
    try {
        WriteSceneDocument(doc::Document{}, target);
        FAIL() << "accepted";
    } catch (const DocumentError& error) {
        EXPECT_EQ(std::string(error.what()),
                  target + ": cannot be written: No such file or directory");
    }
    EXPECT_FALSE(fs::exists(target));
}

// Documents built in code, as the host's capture of a live scene makes them.
int AddNode(doc::Document& d, const std::string& name, int parent = -1) {
    d.nodes.emplace_back();
    d.nodes.back().name = name;
    const int index = static_cast<int>(d.nodes.size()) - 1;
    (parent < 0 ? d.rootNodes : d.nodes[static_cast<std::size_t>(parent)].children)
        .push_back(index);
    return index;
}

TEST(DocumentWriting, EntriesUsedTwiceOrNeverAreSharedUnderMadeUpIds) {
    doc::Document d;
    d.objects.resize(2);
    d.objects[0].type = doc::ObjectType::Dummy;  // used twice, no id
    d.objects[1].type = doc::ObjectType::Bone;   // used once: written in place
    d.materials.resize(2);
    d.materials[0].id = "material-1";  // a given id that looks made up
    d.materials[1].name = "unused";    // no id, never used
    const int a = AddNode(d, "A");
    const int b = AddNode(d, "B", a);
    const int c = AddNode(d, "C");
    d.nodes[static_cast<std::size_t>(a)].object = 0;
    d.nodes[static_cast<std::size_t>(b)].object = 0;
    d.nodes[static_cast<std::size_t>(c)].object = 1;
    d.nodes[static_cast<std::size_t>(c)].material = 0;

    const std::string text = SerializeSceneDocument(d);
    const doc::Document back = Parse(text);
    ASSERT_EQ(back.objects.size(), 2u);
    EXPECT_EQ(back.objects[0].id, "object-0");
    EXPECT_EQ(back.nodes[0].object, 0);
    EXPECT_EQ(back.nodes[1].object, 0);
    EXPECT_EQ(back.objects[1].id, "");
    EXPECT_EQ(back.objects[1].type, doc::ObjectType::Bone);
    ASSERT_EQ(back.materials.size(), 2u);
    EXPECT_EQ(back.materials[0].id, "material-1");
    EXPECT_EQ(back.materials[1].id, "material-1+");
    EXPECT_EQ(back.materials[1].name, "unused");
}

TEST(DocumentWriting, NodesAreReferencedByIdOrUniqueNameOrAMadeUpId) {
    doc::Document d;
    const int twin1 = AddNode(d, "Twin");
    const int twin2 = AddNode(d, "Twin");
    const int named = AddNode(d, "Named");
    const int clash = AddNode(d, "node-0");  // a name that a made-up id must avoid
    const int linked = AddNode(d, "Linked");
    d.nodes[static_cast<std::size_t>(linked)].link = {
        {twin1, 0}, {named, 10}, {-1, 20}, {clash, 30}};
    const doc::Document back = Parse(SerializeSceneDocument(d));
    ASSERT_EQ(back.nodes.size(), 5u);
    EXPECT_EQ(back.nodes[0].id, "node-0+");
    EXPECT_EQ(back.nodes[1].id, "");
    EXPECT_EQ(back.nodes[2].id, "");
    ASSERT_EQ(back.nodes[4].link.size(), 4u);
    EXPECT_EQ(back.nodes[4].link[0].node, twin1);
    EXPECT_EQ(back.nodes[4].link[1].node, named);
    EXPECT_EQ(back.nodes[4].link[2].node, -1);
    EXPECT_EQ(back.nodes[4].link[3].node, clash);
    EXPECT_EQ(back.nodes[4].link[3].time, 30);
    EXPECT_EQ(twin2, 1);
}

std::string WriteRefusal(const doc::Document& d) {
    try {
        SerializeSceneDocument(d);
    } catch (const DocumentError& error) {
        return error.what();
    }
    return "accepted";
}

TEST(DocumentWriting, RefusesDocumentsThatWouldNotReadBack) {
    // Each case starts from a document with one node "A" and spoils it.
    const struct {
        const char* what;
        std::function<void(doc::Document&)> spoil;
        std::string message;  // after "scene document: "
    } cases[] = {
        {"index out of range", [](doc::Document& d) { d.nodes[0].material = 3; },
         "/nodes/0/material: material index 3 is out of range: the document has 0 materials"},
        {"node outside the tree", [](doc::Document& d) { d.nodes.emplace_back().name = "Lost"; },
         "/nodes: node 1 \"Lost\" is not in the node tree"},
        {"node in the tree twice", [](doc::Document& d) { d.rootNodes.push_back(0); },
         "/nodes/1: node 0 is in the node tree twice"},
        {"bad text", [](doc::Document& d) { d.nodes[0].name = "bad \xff name"; },
         "/nodes/0/name: text that is not valid UTF-8"},
        {"keys out of order",
         [](doc::Document& d) {
             d.nodes[0].visibility = doc::FloatTrack{false, {{5, 1.0f}, {5, 0.0f}}, false};
         },
         "/nodes/0/visibility/keys/1: keys out of time order, which readers refuse"},
        {"map only within itself",
         [](doc::Document& d) {
             d.maps.resize(2);
             d.maps[0].id = "loop";
             d.maps[0].type = doc::MapType::Other;
             d.maps[0].subMaps = {0};
             d.maps[1].type = doc::MapType::Other;
             d.maps[1].subMaps = {1};
         },
         "/: map 1 is referenced only from within itself"},
        {"ids given twice",
         [](doc::Document& d) {
             d.objects.resize(2);
             d.objects[0].id = "same";
             d.objects[1].id = "same";
         },
         "/objects: two objects have the id \"same\""},
        {"RGB multiply with one sub-map",
         [](doc::Document& d) {
             d.maps.resize(1);
             d.maps[0].id = "rgb";
             d.maps[0].type = doc::MapType::RGBMultiply;
             d.maps[0].subMaps = {-1};
         },
         "/maps/0: an RGB multiply map has two sub-maps"},
        {"map slot out of range",
         [](doc::Document& d) {
             d.materials.resize(1);
             d.materials[0].id = "m";
             d.materials[0].maps = {{12, -1, 1.0f}};
         },
         "/materials/0/maps/0/slot: map slot out of range"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        doc::Document d;
        AddNode(d, "A");
        c.spoil(d);
        EXPECT_EQ(WriteRefusal(d), "scene document: " + c.message);
    }
}

TEST(DocumentWriting, RefusesATreeTooDeepToReadBack) {
    doc::Document d;
    int parent = -1;
    for (int i = 0; i < 600; ++i) {
        parent = AddNode(d, "N", parent);
    }
    const std::string refusal = WriteRefusal(d);
    EXPECT_THAT(refusal, ::testing::StartsWith("scene document: /nodes/0/children/0/children/0/"));
    EXPECT_THAT(refusal,
                ::testing::EndsWith(": nested more deeply than 1024 levels, which readers refuse"));
}

TEST(DocumentWriting, FloatsAreWrittenShortestAndReadBackExactly) {
    auto text = [](float f) {
        std::string out;
        AppendShortestFloat(out, f);
        return out;
    };
    EXPECT_EQ(text(0.1f), "0.1");
    EXPECT_EQ(text(1.0f), "1");
    EXPECT_EQ(text(-2.5f), "-2.5");
    EXPECT_EQ(text(16777216.0f), "16777216");
    EXPECT_EQ(text(-0.0f), "-0.0");
    EXPECT_EQ(text(std::numeric_limits<float>::max()), "3.4028235e+38");
    EXPECT_EQ(text(std::numeric_limits<float>::denorm_min()), "1e-45");

    // Random bit patterns: every finite float survives text and the reader's double parsing.
    std::mt19937 random(12345);
    int checked = 0;
    for (int i = 0; i < 200000; ++i) {
        const std::uint32_t bits = random();
        float f;
        std::memcpy(&f, &bits, 4);
        if (!std::isfinite(f)) {
            continue;
        }
        const std::string s = text(f);
        const float back = static_cast<float>(std::strtod(s.c_str(), nullptr));
        ASSERT_EQ(std::memcmp(&back, &f, 4), 0) << s;
        ++checked;
    }
    EXPECT_GT(checked, 190000);
}

}  // namespace
}  // namespace pellucid::standalone::test
