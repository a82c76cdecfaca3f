// The stand-alone host's interface: tree enumeration, selection, messages and assertions,
// drives and paths, time settings, the import interface and dependents.
#include <gtest/gtest.h>

#include <cstring>
#include <filesystem>

#include "services/debug_log.h"
#include "standalone/support/document_equality.h"
#include "standalone/support/model_support.h"
#include "standalone/support/scene_invariants.h"
#include "support/script_files.h"

namespace pellucid::standalone::testing {
namespace {

// Root children A (children A1, A2 (child A2a)), B (child B1), C.
doc::Document SmallTree() {
    doc::Document document;
    const int a = AddNode(document, "A");
    AddNode(document, "A1", a);
    const int a2 = AddNode(document, "A2", a);
    AddNode(document, "A2a", a2);
    const int b = AddNode(document, "B");
    AddNode(document, "B1", b);
    AddNode(document, "C");
    return document;
}

class Recorder : public ITreeEnumProc {
  public:
    explicit Recorder(std::map<std::string, int> answers = {}) : answers_(std::move(answers)) {}
    int callback(INode* node) override {
        names.push_back(node->GetName());
        const auto found = answers_.find(node->GetName());
        return found == answers_.end() ? TREE_CONTINUE : found->second;
    }
    std::vector<std::string> names;

  private:
    std::map<std::string, int> answers_;
};

TEST(ModelHost, TreeEnumerationIsDepthFirstPreOrderWithoutTheRoot) {
    auto host = MakeHost(SmallTree());
    Recorder all;
    EXPECT_EQ(host->GetExpInterface()->theScene->EnumTree(&all), 1);
    EXPECT_EQ(all.names, (std::vector<std::string>{"A", "A1", "A2", "A2a", "B", "B1", "C"}));

    Recorder skipping({{"A2", TREE_IGNORECHILDREN}, {"B", TREE_IGNORECHILDREN}});
    host->GetExpInterface()->theScene->EnumTree(&skipping);
    EXPECT_EQ(skipping.names, (std::vector<std::string>{"A", "A1", "A2", "B", "C"}));

    Recorder aborting({{"A2a", TREE_ABORT}});
    EXPECT_EQ(host->GetExpInterface()->theScene->EnumTree(&aborting), 0);
    EXPECT_EQ(aborting.names, (std::vector<std::string>{"A", "A1", "A2", "A2a"}));
    ExpectSceneInvariants(host.get(), host->GetExpInterface()->theScene);
}

TEST(ModelHost, SelectionIsTheSelectedNodesInTreeOrder) {
    doc::Document document = SmallTree();
    for (int i : {6, 3, 1}) {  // C, A2a, A1
        document.nodes[static_cast<size_t>(i)].selected = true;
    }
    auto host = MakeHost(std::move(document));
    ASSERT_EQ(host->GetSelNodeCount(), 3);
    EXPECT_STREQ(host->GetSelNode(0)->GetName(), "A1");
    EXPECT_STREQ(host->GetSelNode(1)->GetName(), "A2a");
    EXPECT_STREQ(host->GetSelNode(2)->GetName(), "C");
    EXPECT_EQ(host->GetSelNode(3), nullptr);
    host->ClearNodeSelection();
    EXPECT_EQ(host->GetSelNodeCount(), 0);
    EXPECT_FALSE(host->FindNodeByName("C")->Selected());
}

TEST(ModelHost, FindNodeByNameGivesTheFirstInTreeOrder) {
    doc::Document document = SmallTree();
    document.nodes[6].name = "A1";  // C renamed: the earlier A1 still wins
    auto host = MakeHost(std::move(document));
    INode* found = host->FindNodeByName("A1");
    ASSERT_NE(found, nullptr);
    EXPECT_STREQ(found->GetParentNode()->GetName(), "A");
    EXPECT_EQ(host->FindNodeByName("nobody"), nullptr);
    EXPECT_EQ(host->FindNodeByName("Scene Root"), nullptr);
}

TEST(ModelHost, MessagesAndAssertionsAreRecordedAndEchoed) {
    auto host = std::make_unique<StandaloneHost>(doc::Document());
    ::testing::internal::CaptureStderr();
    EXPECT_EQ(MessageBox(host->GetMAXHWnd(), "Texture not on drive P.", "Warning", MB_OK), IDOK);
    assert1(488, "bonetree");
    host->SetEchoMessages(false);
    MessageBox(nullptr, "quiet", "Error", MB_OK);
    EXPECT_EQ(::testing::internal::GetCapturedStderr(),
              "Warning: Texture not on drive P.\nassertion: bonetree line 488\n");
    ASSERT_EQ(host->Messages().size(), 3u);
    EXPECT_EQ(host->Messages()[0].caption, "Warning");
    EXPECT_EQ(host->Messages()[0].text, "Texture not on drive P.");
    EXPECT_EQ(host->Messages()[1].caption, "assertion");
    EXPECT_EQ(host->Messages()[1].text, "bonetree line 488");
    EXPECT_EQ(host->Messages()[2].text, "quiet");
}

TEST(ModelHost, DrivesAndUniversalNamesComeFromTheSettings) {
    doc::Document document;
    document.settings.drives = {{"C:\\", ""}, {"P:\\", "\\\\server\\textures\\"}};
    auto host = MakeHost(std::move(document));
    char buffer[64];
    const DWORD length = GetLogicalDriveStringsA(sizeof buffer, buffer);
    EXPECT_EQ(length, 8u);
    EXPECT_EQ(std::memcmp(buffer, "C:\\\0P:\\\0\0", 9), 0);
    EXPECT_EQ(GetUniversalName("P:\\"), "\\\\server\\textures\\");
    EXPECT_EQ(GetUniversalName("p:\\"), "\\\\server\\textures\\");
    EXPECT_EQ(GetUniversalName("C:\\"), "");
    EXPECT_EQ(GetUniversalName("Q:\\"), "");
}

TEST(ModelHost, MappedDrivesTurnPlatformPathsIntoLocalOnes) {
    auto host = MakeHost(doc::Document());
    host->MapDrive('d', "/tmp/trace/");
    EXPECT_EQ(host->LocalPath("d:\\project\\pellucid\\test\\debug.txt"),
              "/tmp/trace/project/pellucid/test/debug.txt");
    EXPECT_EQ(host->LocalPath("D:/x"), "/tmp/trace/x");
    EXPECT_EQ(host->LocalPath("e:\\x"), "");
    EXPECT_EQ(host->LocalPath("relative\\file.txt"), "relative/file.txt");
}

TEST(ModelHost, MappingTheTraceLogDriveOpensTheLogThere) {
    const std::filesystem::path folder =
        std::filesystem::temp_directory_path() / "pellucid-model-trace";
    std::filesystem::create_directories(folder / "project" / "pellucid" / "test");
    auto host = MakeHost(doc::Document());
    host->MapDrive('D', folder.string());
    Trace("traced");
    CloseDebugLog();
    EXPECT_EQ(pellucid::test::ReadBytes(
                  (folder / "project" / "pellucid" / "test" / "debug.txt").string()),
              "traced\r\n");
    std::filesystem::remove_all(folder);
}

TEST(ModelHost, TimeSettingsAreTheDocuments) {
    doc::Document document;
    document.settings.ticksPerFrame = 200;
    document.settings.animationStart = -100;
    document.settings.animationEnd = 3200;
    document.settings.time = 40;
    document.settings.loop = true;
    document.settings.tension = 0.25f;
    document.settings.easeOut = 0.5f;
    auto host = MakeHost(std::move(document));
    EXPECT_EQ(GetTicksPerFrame(), 200);
    EXPECT_EQ(GetAnimStart(), -100);
    EXPECT_EQ(GetAnimEnd(), 3200);
    EXPECT_EQ(GetCOREInterface(), host.get());
    EXPECT_EQ(host->GetTime(), 40);
    host->SetTime(80);
    EXPECT_EQ(host->GetTime(), 80);
    EXPECT_EQ(host->GetLoopOption(), TRUE);
    float t, c, b, ei, eo;
    GetTCBDefaultParams(t, c, b, ei, eo);
    EXPECT_EQ(t, 0.25f);
    EXPECT_EQ(eo, 0.5f);
    EXPECT_EQ(host->MergeFromFile("x.max"), FALSE);
}

// Everything the scene model keeps (controllers' key order, world transforms, evaluated stacks,
// settings) belongs to its host: a second host made and destroyed meanwhile changes nothing.
TEST(ModelHost, AHostsSceneIsItsOwnWhileOthersComeAndGo) {
    auto animated = [](float endX, int ticksPerFrame) {
        doc::Document document;
        document.settings.ticksPerFrame = ticksPerFrame;
        const int node = AddNode(document, "Mover");
        document.nodes[static_cast<size_t>(node)].object = AddObject(document, TriangleMesh());
        document.nodes[static_cast<size_t>(node)].position =
            LinearMove(0, {0, 0, 0}, 160, {endX, 0, 0});
        return document;
    };
    auto first = MakeHost(animated(10.0f, 160));
    INode* mover = first->FindNodeByName("Mover");
    const Matrix3 before = mover->GetNodeTM(80);
    const doc::Document captured = first->Capture();
    {
        auto second = MakeHost(animated(-50.0f, 200));
        EXPECT_TRUE(PointsNear(second->FindNodeByName("Mover")->GetNodeTM(80).GetTrans(),
                               Point3(-25, 0, 0)));
    }
    first->MakeCurrent();
    EXPECT_TRUE(MatricesNear(mover->GetNodeTM(80), before));
    EXPECT_TRUE(PointsNear(mover->GetNodeTM(80).GetTrans(), Point3(5, 0, 0)));
    EXPECT_EQ(first->TicksPerFrame(), 160);
    EXPECT_EQ(test::DescribeDocumentDifference(first->Capture(), captured), "");
}

TEST(ModelHost, FlashedNodesAreRecorded) {
    auto host = MakeHost(SmallTree());
    std::vector<INode*> nodes{host->FindNodeByName("B1")};
    host->FlashNodes(&nodes);
    EXPECT_EQ(host->FlashedNodes(), std::vector<std::string>{"B1"});
}

TEST(ModelHost, ImportersReplaceTheSceneWithNewNodes) {
    auto host = MakeHost(SmallTree());
    ImpInterface* importer = host->GetImpInterface();
    EXPECT_EQ(importer->NewScene(), 1);
    EXPECT_EQ(host->GetRootNode()->NumberOfChildren(), 0);
    ImpNode* node = importer->CreateNode();
    auto* tri = new TriObject();
    tri->mesh.verts = {{0, 0, 0}, {1, 0, 0}, {0, 1, 0}};
    tri->mesh.setNumFaces(1);
    tri->mesh.faces[0].setVerts(0, 1, 2);
    node->Reference(tri);
    Matrix3 identity;
    node->SetTransform(0, identity);
    importer->AddNodeToScene(node);
    node->SetName("ZUT_Object");
    INode* added = host->FindNodeByName("ZUT_Object");
    ASSERT_NE(added, nullptr);
    EXPECT_EQ(added, node->GetINode());
    EXPECT_EQ(added->GetParentNode(), host->GetRootNode());
    EXPECT_EQ(added->EvalWorldState(0).obj, tri);
    ExpectSceneInvariants(host.get(), host->GetExpInterface()->theScene);
    const doc::Document captured = host->Capture();
    ASSERT_EQ(captured.nodes.size(), 1u);
    EXPECT_EQ(captured.objects[0].mesh.faces.size(), 1u);
}

class DependentNames : public DependentEnumProc {
  public:
    int proc(ReferenceMaker* maker) override {
        auto* node = dynamic_cast<INode*>(maker);
        names.push_back(node != nullptr ? node->GetName() : "derived");
        return DEP_ENUM_CONTINUE;
    }
    std::vector<std::string> names;
};

TEST(ModelHost, DependentsOfAModifierAreItsDerivedObjectsAndNodes) {
    doc::Document document = SmallTree();
    const int mesh = AddObject(document, TriangleMesh());
    doc::Modifier inert;
    inert.type = doc::ModifierType::Inert;
    document.modifiers.push_back(inert);
    for (int i : {5, 2}) {  // B1 and A2 share the modifier
        document.nodes[static_cast<size_t>(i)].object = mesh;
        document.nodes[static_cast<size_t>(i)].modifiers = {0};
    }
    auto host = MakeHost(std::move(document));
    Modifier* shared =
        static_cast<IDerivedObject*>(host->FindNodeByName("B1")->GetObjectRef())->GetModifier(0);
    DependentNames names;
    EXPECT_EQ(shared->EnumDependents(&names), 0);
    EXPECT_EQ(names.names, (std::vector<std::string>{"derived", "A2", "derived", "B1"}));
}

}  // namespace
}  // namespace pellucid::standalone::testing
