// The QMO importer: model lines, the search for a model's scene file, and a level assembled in
// the stand-alone host.
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <map>
#include <sstream>

#include "exchange/model_search.h"
#include "exchange/qmo_import.h"
#include "exchange/qmo_reader.h"
#include "standalone/support/model_support.h"
#include "support/fake_platform.h"
#include "support/script_files.h"

namespace pellucid::test {
namespace {

QmoList Read(const std::string& text) {
    std::istringstream in(text);
    return ReadQmoList(in);
}

TEST(QmoReader, ReadsDirectoryNameAndTransformOfEachModelLine) {
    const QmoList list = Read(
        "; level\r\nModelBatch(d:\\models crate 4096 0 -4096 0 1 0 -1 0 0 0 0 1);\r\n"
        "ModelBatch(models\tbarrel  2048.5x 1e3 junk 1 0 0 0 1 0 0 0 2);\r\n");
    ASSERT_EQ(list.models.size(), 2u);
    const QmoModelLine& crate = list.models[0];
    EXPECT_EQ(crate.line, 2);
    EXPECT_EQ(crate.directory, "d:\\models");
    EXPECT_EQ(crate.model, "crate");
    EXPECT_TRUE(crate.transform ==
                Matrix3(Point3(0, 1, 0), Point3(-1, 0, 0), Point3(0, 0, 1), Point3(100, 0, -100)));
    // Numbers are read from the start of a token; the rest of it, ");" included, is ignored.
    const Matrix3& barrel = list.models[1].transform;
    EXPECT_TRUE(barrel.GetTrans() ==
                Point3(static_cast<float>(2048.5 * 0.0244140625), 1000 * 0.0244140625f, 0));
    EXPECT_EQ(barrel.GetRow(2).z, 2.0f);
}

TEST(QmoReader, LinesThatMentionModelBatchButAreNotModelLines) {
    const std::string longName(124, 'n');
    const QmoList list = Read(
        " ModelBatch(d crate 0 0 0 1 0 0 0 1 0 0 0 1);\n"
        "ModelBatch(d crate 0 0 0);\n"
        "ModelBatch(d " +
        longName +
        " 0 0 0 1 0 0 0 1 0 0 0 1);\n"
        "ModelBatch(d crate 0 0 0 1 0 0 0 1 0 0 0 12345678901234567890);\n"
        "ModelBatch(d crate 0 0 0 1 0 0 0 1 0 0 0 1);");
    EXPECT_TRUE(list.models.empty());
    ASSERT_EQ(list.skipped.size(), 4u);
    EXPECT_EQ(list.skipped[0].why, QmoSkippedLine::Why::NotAtStart);
    EXPECT_EQ(list.skipped[1].why, QmoSkippedLine::Why::MissingTokens);
    EXPECT_EQ(list.skipped[1].tokens, 5);
    EXPECT_EQ(list.skipped[2].why, QmoSkippedLine::Why::LongToken);
    EXPECT_EQ(list.skipped[2].token, 2);
    EXPECT_EQ(list.skipped[3].token, 14);
    // The last line has no line end.
    EXPECT_EQ(list.stop, TextLines::Stop::Unterminated);
    EXPECT_EQ(list.endLine, 5);
}

// A platform whose folders are a table: folder path -> entries in listing order. A folder that is
// not in the table cannot be listed.
class TreePlatform : public FakePlatform {
  public:
    bool ListDirectory(const std::string& pattern,
                       std::vector<WIN32_FIND_DATAA>& entries) override {
        listed.push_back(pattern);
        const auto found = folders.find(pattern.substr(0, pattern.size() - 4));  // "\*.*"
        if (found == folders.end()) {
            return false;
        }
        entries = found->second;
        return true;
    }
    void Add(const std::string& folder, const std::string& name, bool isFolder) {
        WIN32_FIND_DATAA entry;
        entry.cFileName = name;
        entry.dwFileAttributes = isFolder ? FILE_ATTRIBUTE_DIRECTORY : 0;
        folders[folder].push_back(entry);
    }
    std::map<std::string, std::vector<WIN32_FIND_DATAA>> folders;
    std::vector<std::string> listed;
};

TEST(ModelSearch, FindsTheFileIgnoringCaseInListingOrderSkippingDotFolders) {
    TreePlatform tree;
    ScopedHostPlatform scoped(&tree);
    tree.Add("m", ".", true);
    tree.Add("m", ".svn", true);
    tree.Add("m", "a", true);
    tree.Add("m", "crate.max", false);
    tree.Add("m\\.svn", "crate.max", false);
    tree.Add("m\\a", "locked", true);  // cannot be listed
    tree.Add("m\\a", "b", true);
    tree.Add("m\\a\\b", "c", true);
    tree.Add("m\\a\\b\\c", "CRATE.MAX", false);
    std::string path;
    ASSERT_TRUE(FindModelFile(path, "m", "crate.max"));
    // The subfolder listed first wins over the file of the folder itself; the name is as asked.
    EXPECT_EQ(path, "m\\a\\b\\c\\crate.max");
    EXPECT_EQ(tree.listed, (std::vector<std::string>{"m\\*.*", "m\\a\\*.*", "m\\a\\locked\\*.*",
                                                     "m\\a\\b\\*.*", "m\\a\\b\\c\\*.*"}));
    EXPECT_FALSE(FindModelFile(path, "m", "barrel.max"));
    EXPECT_FALSE(FindModelFile(path, "nowhere", "crate.max"));
}

TEST(ModelSearch, PathsLongerThanTheLimitAreNotSearched) {
    TreePlatform tree;
    ScopedHostPlatform scoped(&tree);
    const std::string deep(1015, 'd');  // "m\" + deep + "\" is 1018 characters
    tree.Add("m", deep, true);
    tree.Add("m\\" + deep, "x.max", false);
    tree.Add("m\\" + deep, "xy.max", false);
    std::string path;
    EXPECT_TRUE(FindModelFile(path, "m", "x.max"));
    EXPECT_EQ(path.size(), 1023u);
    EXPECT_FALSE(FindModelFile(path, "m", "xy.max"));
    // Listing a subfolder "ee" would take "...\\ee\\*.*", 1024 characters.
    tree.Add("m\\" + deep, "ee", true);
    tree.Add("m\\" + deep + "\\ee", "z.max", false);
    EXPECT_FALSE(FindModelFile(path, "m", "z.max"));
    EXPECT_EQ(tree.listed.back(), "m\\" + deep + "\\*.*");
}

class QmoImportTest : public ::testing::Test {
  protected:
    void SetUp() override {
        folder = std::filesystem::path(ScratchPath("qmo", "level"));
        std::filesystem::remove_all(folder);
        std::filesystem::create_directories(folder / "models" / "props" / "wood" / "old");
        std::ofstream(folder / "models" / "props" / "wood" / "old" / "CRATE.MAX")
            << R"({"pellucidScene": 1, "nodes": [
                  {"id": "crate", "name": "Crate", "object": {"type": "dummy"},
                   "transform": {"position": [5, 5, 5]},
                   "children": [{"name": "Lid", "object": {"type": "dummy"}}]}]})";
        doc::Document document;
        standalone::testing::AddNode(document, "Before");
        host = standalone::testing::MakeHost(document);
        host->MapDrive('q', folder.string());
    }
    int Import(const std::string& list) {
        const std::string path = (folder / "level.qmo").string();
        std::ofstream(path, std::ios::binary) << list;
        QMOImport importer;
        return importer.DoImport(path.c_str(), host->GetImpInterface(), host.get());
    }
    std::filesystem::path folder;
    std::unique_ptr<standalone::StandaloneHost> host;
};

TEST_F(QmoImportTest, MergesAndPlacesEachModelFoundLeavingNoSelection) {
    ASSERT_EQ(Import("ModelBatch(q:\\models crate 4096 0 -4096 1 0 0 0 1 0 0 0 1);\r\n"
                     "ModelBatch(q:\\models barrel 0 0 0 1 0 0 0 1 0 0 0 1);\r\n"
                     "ModelBatch(q:\\models Crate 0 2048 0 0 1 0 -1 0 0 0 0 1);\r\n"),
              1);
    const std::vector<standalone::SceneNode*> nodes = host->GetScene().NodesInTreeOrder();
    ASSERT_EQ(nodes.size(), 4u);  // the scene was new; two crates with their lids
    EXPECT_TRUE(standalone::testing::MatricesNear(nodes[0]->GetNodeTM(0),
                                                  TransMatrix(Point3(100, 0, -100))));
    EXPECT_TRUE(standalone::testing::MatricesNear(
        nodes[2]->GetNodeTM(0),
        Matrix3(Point3(0, 1, 0), Point3(-1, 0, 0), Point3(0, 0, 1), Point3(0, 50, 0))));
    // The lid keeps its place on its crate.
    EXPECT_TRUE(standalone::testing::PointsNear(nodes[3]->GetNodeTM(0).GetTrans(), {0, 50, 0}));
    EXPECT_EQ(host->GetSelNodeCount(), 0);
    ASSERT_EQ(host->Merges().size(), 2u);
    EXPECT_EQ(host->Merges()[0].file, "q:\\models\\props\\wood\\old\\crate.max");
    EXPECT_EQ(host->Merges()[1].nodes, (std::vector<std::string>{"Crate", "Lid"}));
}

TEST_F(QmoImportTest, AnEmptyOrMissingListGivesAnEmptySceneAndSucceeds) {
    EXPECT_EQ(Import(""), 1);
    EXPECT_TRUE(host->GetScene().NodesInTreeOrder().empty());
    QMOImport importer;
    EXPECT_EQ(importer.DoImport("/no/such/level.qmo", host->GetImpInterface(), host.get()), 1);
}

}  // namespace
}  // namespace pellucid::test
