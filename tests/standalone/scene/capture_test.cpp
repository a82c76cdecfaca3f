// Capturing a live scene back into a document: an unchanged scene gives its document back, and
// changes made through the host interface are kept.
#include <gtest/gtest.h>

#include "standalone/document/scene_document_io.h"
#include "standalone/support/model_support.h"
#include "standalone/support/scene_invariants.h"

namespace pellucid::standalone::testing {
namespace {

// A scene touching every part of a document.
doc::Document RichScene() {
    doc::Document document;
    document.settings.ticksPerFrame = 200;
    document.settings.loop = true;
    document.settings.drives = {{"P:\\", "\\\\s\\t\\"}};
    doc::Map map;
    map.type = doc::MapType::Bitmap;
    map.file = "P:\\a.tga";
    map.id = "tex";
    document.maps.push_back(map);
    doc::Material material;
    material.id = "mat";
    material.name = "a_M";
    material.maps = {{1, 0, 0.5f}};
    document.materials.push_back(material);

    const int bone = AddNode(document, "Bone");
    document.nodes[static_cast<size_t>(bone)].id = "bone";
    document.nodes[static_cast<size_t>(bone)].object =
        AddObject(document, ObjectOfType(doc::ObjectType::Bone));
    doc::Controller<doc::RotationKey> rotation;
    rotation.kind = doc::ControllerKind::Tcb;
    rotation.keys = {{0, Quat()}, {160, Turn(30, {1, 0, 0})}};
    document.nodes[static_cast<size_t>(bone)].rotation = rotation;

    const int skin = AddNode(document, "Skin", bone);
    doc::Object mesh = TriangleMesh();
    mesh.id = "tri";
    mesh.mesh.smoothing = {1};
    document.nodes[static_cast<size_t>(skin)].object = AddObject(document, mesh);
    document.nodes[static_cast<size_t>(skin)].material = 0;
    document.nodes[static_cast<size_t>(skin)].selectedFaces = {0};
    doc::Pivot pivot;
    pivot.position = {1, 2, 3};
    document.nodes[static_cast<size_t>(skin)].pivot = pivot;

    const int sphere = AddNode(document, "GLOW01");
    doc::Object ball = ObjectOfType(doc::ObjectType::Sphere);
    ball.radius = 3;
    document.nodes[static_cast<size_t>(sphere)].object = AddObject(document, ball);
    document.nodes[static_cast<size_t>(sphere)].link = {{bone, 0}, {-1, 80}};
    doc::FloatTrack visibility;
    visibility.keys = {{0, 0.0f}, {40, 1.0f}};
    document.nodes[static_cast<size_t>(sphere)].visibility = visibility;
    document.nodes[static_cast<size_t>(sphere)].hidden = true;
    document.nodes[static_cast<size_t>(sphere)].selected = true;

    doc::Modifier physique;
    physique.type = doc::ModifierType::Physique;
    physique.skinVertices = {doc::SkinVertex{{bone}, {1}, 1}, std::nullopt,
                             doc::SkinVertex{{bone}, {1}, 1}};
    document.modifiers.push_back(physique);
    doc::Modifier morpher;
    morpher.type = doc::ModifierType::Morpher;
    doc::MorphChannelData channel;
    channel.index = 7;
    channel.name = "Blink";
    channel.points = {2};
    channel.deltas = {{0, 0, 0}, {0, 0, 0}, {0, 0, 1}};
    channel.weight.keys = {{0, 0.0f}, {160, 100.0f}};
    morpher.channels.push_back(channel);
    document.modifiers.push_back(morpher);
    document.nodes[static_cast<size_t>(skin)].modifiers = {1, 0};
    return document;
}

// The world transforms of every node at a few times, by name.
std::map<std::string, std::vector<Matrix3>> Motion(StandaloneHost& host) {
    std::map<std::string, std::vector<Matrix3>> motion;
    for (const auto& node : host.GetScene().Nodes()) {
        for (TimeValue t : {0, 40, 80, 120, 160}) {
            motion[node->Name()].push_back(node->GetNodeTM(t));
        }
    }
    return motion;
}

// The evaluated vertices of every mesh node at a few times, by name.
std::map<std::string, std::vector<std::vector<Point3>>> Shapes(StandaloneHost& host) {
    std::map<std::string, std::vector<std::vector<Point3>>> shapes;
    for (const auto& node : host.GetScene().Nodes()) {
        for (TimeValue t : {0, 80, 160}) {
            if (auto* tri = dynamic_cast<TriObject*>(node->EvalWorldState(t).obj)) {
                shapes[node->Name()].push_back(tri->mesh.verts);
            }
        }
    }
    return shapes;
}

TEST(ModelCapture, UnchangedSceneGivesItsDocumentBack) {
    const doc::Document document = RichScene();
    auto host = MakeHost(document);
    ExpectSceneInvariants(host.get(), host->GetExpInterface()->theScene);
    const doc::Document captured = host->Capture();
    EXPECT_EQ(captured.settings.ticksPerFrame, 200);
    EXPECT_TRUE(captured.settings.loop);
    ASSERT_EQ(captured.nodes.size(), document.nodes.size());
    EXPECT_EQ(captured.rootNodes, document.rootNodes);
    for (size_t i = 0; i < document.nodes.size(); ++i) {
        const doc::Node& a = document.nodes[i];
        const doc::Node& b = captured.nodes[i];
        EXPECT_EQ(b.name, a.name);
        EXPECT_EQ(b.id, a.id);
        EXPECT_EQ(b.object, a.object);
        EXPECT_EQ(b.modifiers, a.modifiers);
        EXPECT_EQ(b.material, a.material);
        EXPECT_EQ(b.children, a.children);
        EXPECT_EQ(b.hidden, a.hidden);
        EXPECT_EQ(b.selected, a.selected);
        EXPECT_EQ(b.selectedFaces, a.selectedFaces);
        EXPECT_EQ(b.link.size(), a.link.size());
        EXPECT_EQ(b.rotation.has_value(), a.rotation.has_value()) << a.name;
        EXPECT_FALSE(b.position.has_value()) << a.name;
        EXPECT_EQ(b.visibility.has_value(), a.visibility.has_value());
        EXPECT_TRUE(b.transform.matrix == a.transform.matrix);
        EXPECT_EQ(b.pivot.has_value(), a.pivot.has_value());
    }
    EXPECT_EQ(captured.nodes[2].link[1].node, -1);
    EXPECT_EQ(captured.nodes[2].link[1].time, 80);
    ASSERT_EQ(captured.objects.size(), 3u);
    EXPECT_EQ(captured.objects[1].id, "tri");
    EXPECT_EQ(captured.objects[1].mesh.vertices, document.objects[1].mesh.vertices);
    EXPECT_EQ(captured.objects[1].mesh.smoothing, std::vector<std::uint32_t>{1});
    EXPECT_EQ(captured.objects[2].radius, 3.0f);
    EXPECT_EQ(captured.materials[0].maps.size(), 1u);
    ASSERT_EQ(captured.modifiers[0].skinVertices.size(), 3u);
    EXPECT_FALSE(captured.modifiers[0].skinVertices[1].has_value());
    EXPECT_EQ(captured.modifiers[0].skinVertices[2]->bones, std::vector<int>{0});
    ASSERT_EQ(captured.modifiers[1].channels.size(), 1u);
    EXPECT_EQ(captured.modifiers[1].channels[0].points, std::vector<int>{2});
    EXPECT_EQ(captured.modifiers[1].channels[0].deltas, document.modifiers[1].channels[0].deltas);
    EXPECT_EQ(captured.modifiers[1].channels[0].weight.keys.size(), 2u);

    // Brought to life again, it moves and deforms exactly as the original.
    auto again = MakeHost(captured);
    EXPECT_EQ(Motion(*again), Motion(*host));
    EXPECT_EQ(Shapes(*again), Shapes(*host));
    EXPECT_TRUE(Shapes(*host)["Skin"][2][2] != Shapes(*host)["Skin"][0][2]);
}

TEST(ModelCapture, ChangesMadeThroughTheHostAreKept) {
    auto host = MakeHost(RichScene());
    INode* bone = host->FindNodeByName("Bone");
    Matrix3 moved = TransMatrix({0, 0, 9});
    bone->SetNodeTM(0, moved);
    IKeyControl* keys = GetKeyControlInterface(bone->GetTMController()->GetPositionController());
    keys->SetNumKeys(1);
    IBezPoint3Key key;
    key.time = 320;
    key.val = Point3(4, 4, 4);
    keys->SetKey(0, &key);
    // A check marks a face on the evaluated mesh of the skinned node.
    auto* tri = static_cast<TriObject*>(host->FindNodeByName("Skin")->EvalWorldState(0).obj);
    tri->mesh.faceSel.ClearAll();
    ImpInterface* importer = host->GetImpInterface();
    ImpNode* added = importer->CreateNode();
    added->SetName("Imported");
    importer->AddNodeToScene(added);

    const doc::Document captured = host->Capture();
    ASSERT_EQ(captured.nodes.size(), 4u);
    EXPECT_EQ(captured.nodes[3].name, "Imported");
    EXPECT_EQ(captured.rootNodes.back(), 3);
    ASSERT_TRUE(captured.nodes[0].position.has_value());
    EXPECT_EQ(captured.nodes[0].position->keys.size(), 1u);
    EXPECT_TRUE(captured.nodes[0].position->keys[0].value == Point3(4, 4, 4));
    EXPECT_TRUE(captured.nodes[1].selectedFaces.empty());

    auto again = MakeHost(captured);
    EXPECT_EQ(Motion(*again), Motion(*host));
    ExpectSceneInvariants(again.get(), again->GetExpInterface()->theScene);
}

TEST(ModelCapture, SharedObjectsWithoutAnIdGetOne) {
    doc::Document document;
    const int mesh = AddObject(document, TriangleMesh());
    document.nodes.resize(0);
    for (const char* name : {"A", "B"}) {
        const int n = AddNode(document, name);
        document.nodes[static_cast<size_t>(n)].object = mesh;
    }
    const doc::Document captured = MakeHost(document)->Capture();
    EXPECT_FALSE(captured.objects[0].id.empty());
    EXPECT_EQ(captured.nodes[0].object, captured.nodes[1].object);
}

void ExpectRefused(const doc::Document& document, const std::string& message) {
    HostPlatform* before = GetHostPlatform();
    try {
        StandaloneHost host(document);
        ADD_FAILURE() << "accepted; expected: " << message;
    } catch (const DocumentError& error) {
        EXPECT_EQ(std::string(error.what()), message);
    }
    // A refused host leaves the library with the host it had.
    EXPECT_EQ(GetHostPlatform(), before);
}

TEST(ModelBuild, DocumentsThatCannotLiveAreRefusedWithWhatAndWhere) {
    doc::Document twice;
    AddNode(twice, "A");
    twice.rootNodes.push_back(0);
    ExpectRefused(twice,
                  "scene document: /nodes/1: node \"A\" is already the child of another node");

    doc::Document loop;
    AddNode(loop, "A");
    const int b = AddNode(loop, "B", 0);
    loop.rootNodes.clear();
    loop.nodes[static_cast<size_t>(b)].children.push_back(0);
    ExpectRefused(loop, "scene document: /nodes: node \"A\" is not under the scene root");

    doc::Document badChild;
    AddNode(badChild, "A");
    badChild.nodes[0].children.push_back(7);
    ExpectRefused(badChild,
                  "scene document: /nodes/0/children/0: node index 7 is not one of the 1 nodes");

    doc::Document badFace;
    doc::Object mesh = TriangleMesh();
    mesh.mesh.faces.push_back({0, 1, 3});
    AddObject(badFace, mesh);
    ExpectRefused(
        badFace,
        "scene document: /objects/0/faces/1: index 3 is out of range: there are 3 vertices");

    doc::Document badSelection;
    AddNode(badSelection, "Tri");
    badSelection.nodes[0].object = AddObject(badSelection, TriangleMesh());
    badSelection.nodes[0].selectedFaces = {1};
    ExpectRefused(
        badSelection,
        "scene document: /nodes/0/selectedFaces/0: index 1 is out of range: there are 1 faces");

    doc::Document mapLoop;
    doc::Map a;
    a.type = doc::MapType::Mask;
    a.id = "a";
    a.subMaps = {1};
    doc::Map b2 = a;
    b2.id = "b";
    b2.subMaps = {0};
    mapLoop.maps = {a, b2};
    ExpectRefused(mapLoop,
                  "scene document: /maps/0: map \"a\" contains itself through its sub-maps");

    doc::Document badBone;
    doc::Modifier physique;
    physique.type = doc::ModifierType::Physique;
    physique.skinVertices = {doc::SkinVertex{{4}, {1}, 1}};
    badBone.modifiers.push_back(physique);
    ExpectRefused(
        badBone,
        "scene document: /modifiers/0/vertices/0/bones/0: node index 4 is not one of the 0 nodes");
}

}  // namespace
}  // namespace pellucid::standalone::testing
