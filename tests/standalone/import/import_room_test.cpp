// The stand-alone host's side of the importers: merging scene documents, listing local folders,
// and the scene frozen at a time.
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>

#include "standalone/document/scene_document_io.h"
#include "standalone/import/directory_listing.h"
#include "standalone/import/scene_merge.h"
#include "standalone/import/scene_snapshot.h"
#include "standalone/support/model_support.h"
#include "support/script_files.h"

namespace pellucid::standalone::testing {
namespace {

namespace fs = std::filesystem;

fs::path Scratch(const std::string& name) {
    const fs::path folder = test::ScratchPath("import", name);
    fs::remove_all(folder);
    fs::create_directories(folder);
    return folder;
}

void Write(const fs::path& path, const std::string& text) {
    fs::create_directories(path.parent_path());
    std::ofstream(path, std::ios::binary) << text;
}

std::vector<std::string> Names(const std::vector<WIN32_FIND_DATAA>& entries) {
    std::vector<std::string> names;
    for (const auto& entry : entries) {
        names.push_back(entry.cFileName +
                        std::string(entry.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY ? "/" : ""));
    }
    return names;
}

TEST(DirectoryListing, NamesInOrderIgnoringCaseWithFoldersMarked) {
    const fs::path folder = Scratch("listing");
    for (const char* file : {"b.max", "A.MAX", "c.txt", ".hidden"}) {
        Write(folder / file, "");
    }
    fs::create_directories(folder / "Bz");
    fs::create_directory_symlink(folder / "Bz", folder / "link");
    std::vector<WIN32_FIND_DATAA> entries;
    ASSERT_TRUE(ListLocalDirectory(folder.string() + "/*.*", entries));
    EXPECT_EQ(Names(entries),
              (std::vector<std::string>{".hidden", "A.MAX", "b.max", "Bz/", "c.txt", "link/"}));
    ASSERT_TRUE(ListLocalDirectory(folder.string() + "/?.m*", entries));
    EXPECT_EQ(Names(entries), (std::vector<std::string>{"A.MAX", "b.max"}));
    EXPECT_FALSE(ListLocalDirectory(folder.string() + "/none/*.*", entries));
    EXPECT_FALSE(ListLocalDirectory(folder.string() + "/c.txt/*.*", entries));
    EXPECT_EQ(ResolveIgnoringCase((folder / "bz" / "..").string() + "/a.max"),
              (folder / "Bz" / ".." / "A.MAX").string());
}

TEST(DirectoryListing, AFolderReachedAgainThroughALinkIsNotListed) {
    const fs::path folder = Scratch("loop");
    fs::create_directories(folder / "a");
    fs::create_directory_symlink(folder, folder / "a" / "up");
    fs::create_directory_symlink(folder / "a", folder / "a" / "self");
    std::vector<WIN32_FIND_DATAA> entries;
    EXPECT_TRUE(ListLocalDirectory((folder / "a").string() + "/*.*", entries));
    EXPECT_FALSE(ListLocalDirectory((folder / "a" / "up").string() + "/*.*", entries));
    EXPECT_FALSE(ListLocalDirectory((folder / "a" / "self").string() + "/*.*", entries));
    // A link to a folder outside the path is an ordinary folder.
    fs::create_directories(folder / "b");
    fs::create_directory_symlink(folder / "b", folder / "a" / "toB");
    EXPECT_TRUE(ListLocalDirectory((folder / "a" / "toB").string() + "/*.*", entries));
}

TEST(DirectoryListing, AnUnreadableFolderCannotBeListed) {
    if (::geteuid() == 0) {
        GTEST_SKIP() << "permissions do not bind the super-user";
    }
    const fs::path folder = Scratch("locked");
    fs::create_directories(folder / "inner");
    fs::permissions(folder / "inner", fs::perms::none);
    std::vector<WIN32_FIND_DATAA> entries;
    EXPECT_FALSE(ListLocalDirectory((folder / "inner").string() + "/*.*", entries));
    fs::permissions(folder / "inner", fs::perms::owner_all);
}

class MergeTest : public ::testing::Test {
  protected:
    void SetUp() override {
        folder = Scratch("merge");
        doc::Document document;
        document.baseDirectory = folder.string();
        AddNode(document, "Crate");
        document.nodes[0].id = "crate";
        document.nodes[0].selected = true;
        doc::Material steel;
        steel.id = "steel";
        steel.name = "Steel";
        document.materials.push_back(steel);
        host = MakeHost(document);
    }
    fs::path folder;
    std::unique_ptr<StandaloneHost> host;
};

TEST_F(MergeTest, BringsEveryNodeInWithFreshIdsAndSelectsThem) {
    Write(folder / "models" / "crate.max", R"({"pellucidScene": 1,
        "settings": {"ticksPerFrame": 1},
        "materials": [{"id": "steel", "type": "standard", "name": "Other steel"}],
        "maps": [{"id": "grain", "type": "bitmap", "file": "grain.tga", "image": "tex/grain.png"}],
        "nodes": [{"id": "crate", "name": "Crate", "material": "steel",
                   "children": [{"name": "Lid", "selected": true}]},
                  {"name": "Plank", "transform": {"position": [1, 2, 3]}}]})");
    const MergeResult result =
        MergeSceneDocument(host->GetScene(), (folder / "models" / "crate.max").string(), true);
    ASSERT_TRUE(result.merged) << result.error;
    EXPECT_EQ(result.topLevelNodes, 2);
    EXPECT_EQ(host->GetScene().settings.ticksPerFrame, 160);
    ASSERT_EQ(host->GetSelNodeCount(), 3);
    EXPECT_STREQ(host->GetSelNode(0)->GetName(), "Crate");
    EXPECT_STREQ(host->GetSelNode(2)->GetName(), "Plank");
    EXPECT_NE(host->GetSelNode(0), host->FindNodeByName("Crate"));  // the scene's own comes first

    const doc::Document captured = host->Capture();
    ASSERT_EQ(captured.nodes.size(), 4u);
    EXPECT_EQ(captured.nodes[1].id, "crate#2");
    EXPECT_EQ(captured.materials[1].id, "steel#2");
    EXPECT_EQ(captured.nodes[1].material, 1);
    EXPECT_EQ(captured.maps[0].image.path, "models/tex/grain.png");
    // What was merged writes and reads back.
    const std::string text = SerializeSceneDocument(captured);
    EXPECT_NO_THROW(ParseSceneDocument(text, folder.string(), "merged"));
}

TEST_F(MergeTest, ADocumentThatCannotBeBuiltChangesNothing) {
    Write(folder / "bad.max", R"({"pellucidScene": 1, "nodes": [
        {"name": "Good"}, {"name": "Mesh", "object": {"type": "mesh",
         "vertices": [[0, 0, 0]], "faces": [[0, 0, 7]]}}]})");
    Write(folder / "broken.max", "{ not json");
    for (const char* name : {"bad.max", "broken.max", "missing.max"}) {
        const MergeResult result =
            MergeSceneDocument(host->GetScene(), (folder / name).string(), true);
        EXPECT_FALSE(result.merged) << name;
        EXPECT_FALSE(result.error.empty()) << name;
        EXPECT_EQ(host->GetScene().Nodes().size(), 1u) << name;
        EXPECT_EQ(host->GetSelNodeCount(), 1) << name;
    }
}

TEST_F(MergeTest, TheHostMergesPlatformPathsOnMappedDrivesIgnoringCase) {
    Write(folder / "Models" / "CRATE.MAX", R"({"pellucidScene": 1, "nodes": [{"name": "C"}]})");
    host->MapDrive('m', folder.string());
    EXPECT_EQ(host->MergeFromFile("m:\\models\\crate.max", FALSE, FALSE, TRUE, 1), TRUE);
    EXPECT_EQ(host->MergeFromFile("x:\\models\\crate.max", FALSE, TRUE, TRUE, 1), FALSE);
    std::vector<CStr> names{"C"};
    EXPECT_EQ(host->MergeFromFile("m:\\models\\crate.max", FALSE, TRUE, TRUE, 1, &names), FALSE);
    ASSERT_EQ(host->Merges().size(), 3u);
    EXPECT_EQ(host->Merges()[0].localPath, (folder / "Models" / "CRATE.MAX").string());
    EXPECT_STREQ(host->GetSelNode(0)->GetName(), "Crate");  // without selMerged: as it was
}

TEST(SceneSnapshot, FreezesMeshesAndTransformsAtTheTime) {
    doc::Document document;
    const int mover = AddNode(document, "Mover");
    document.nodes[static_cast<size_t>(mover)].position = LinearMove(0, {0, 0, 0}, 100, {10, 0, 0});
    const int face = AddNode(document, "Face", mover);
    document.nodes[static_cast<size_t>(face)].object = AddObject(document, TriangleMesh());
    document.modifiers.push_back(Morpher({0}, {{0, 0, 4}}, 100));
    document.nodes[static_cast<size_t>(face)].modifiers = {0};
    document.nodes[static_cast<size_t>(face)].selectedFaces = {0};
    auto host = MakeHost(document);

    const std::vector<EvaluatedNode> evaluated = FreezeSceneAt(host->GetScene(), 50);
    ASSERT_EQ(evaluated.size(), 1u);
    EXPECT_EQ(evaluated[0].name, "Face");
    EXPECT_EQ(evaluated[0].modifiers, (std::vector<std::string>{"Morpher"}));
    const doc::Document frozen = host->Capture();
    EXPECT_FALSE(frozen.nodes[0].position.has_value());
    EXPECT_TRUE(MatricesNear(frozen.nodes[0].transform.matrix, TransMatrix({5, 0, 0})));
    EXPECT_TRUE(frozen.nodes[1].modifiers.empty());
    const doc::MeshData& mesh = frozen.objects[static_cast<size_t>(frozen.nodes[1].object)].mesh;
    EXPECT_TRUE(mesh.vertices[0] == Point3(0, 0, 2));
    EXPECT_EQ(frozen.nodes[1].selectedFaces, (std::vector<int>{0}));
    EXPECT_EQ(frozen.settings.time, 50);
}

}  // namespace
}  // namespace pellucid::standalone::testing
