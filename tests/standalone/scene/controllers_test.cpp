// Keyed controllers of the scene model: interpolation between keys, holds outside them, the key
// interface, and the visibility track.
#include <gtest/gtest.h>

#include "standalone/support/model_support.h"
#include "standalone/support/scene_invariants.h"

namespace pellucid::standalone::testing {
namespace {

doc::PositionKey PositionKey(int time, Point3 value, Point3 in = {}, Point3 out = {}) {
    doc::PositionKey key;
    key.time = time;
    key.value = value;
    key.inTangent = in;
    key.outTangent = out;
    return key;
}

// One node whose position is keyed by `controller`.
std::unique_ptr<StandaloneHost> HostWithPosition(doc::Controller<doc::PositionKey> controller) {
    doc::Document document;
    const int node = AddNode(document, "Mover");
    document.nodes[static_cast<size_t>(node)].position = std::move(controller);
    return MakeHost(std::move(document));
}

Point3 PositionAt(StandaloneHost& host, TimeValue t) {
    return host.FindNodeByName("Mover")->GetNodeTM(t).GetTrans();
}

TEST(ModelControllers, BezierPositionIsTheHermiteOfValuesAndTangents) {
    doc::Controller<doc::PositionKey> controller;
    controller.kind = doc::ControllerKind::Bezier;
    // Out tangent 2 units per tick over 100 ticks: end slope 200; in tangent 0 at the end.
    controller.keys = {PositionKey(0, {0, 0, 0}, {}, {2, 0, 0}),
                       PositionKey(100, {100, 0, 0}, {0, 0, 0}, {})};
    auto host = HostWithPosition(controller);
    // h10(0.5) * 200 + h01(0.5) * 100 = 25 + 50.
    EXPECT_TRUE(PointsNear(PositionAt(*host, 50), {75, 0, 0}));
    // h10(0.25) * 200 + h01(0.25) * 100 = 28.125 + 15.625.
    EXPECT_TRUE(PointsNear(PositionAt(*host, 25), {43.75f, 0, 0}));
    EXPECT_TRUE(PositionAt(*host, 0) == Point3(0, 0, 0));
    EXPECT_TRUE(PositionAt(*host, 100) == Point3(100, 0, 0));
}

TEST(ModelControllers, BezierInTangentPointsBackInTime) {
    doc::Controller<doc::PositionKey> controller;
    // A smooth key has in = -out: the curve enters the last key rising at 1 unit per tick.
    controller.keys = {PositionKey(0, {0, 0, 0}),
                       PositionKey(100, {0, 0, 0}, {-1, 0, 0}, {1, 0, 0})};
    auto host = HostWithPosition(controller);
    // Slope at the end = -in * dt = +100 per unit of u; just before the key the value is below.
    EXPECT_LT(PositionAt(*host, 99).x, 0.0f);
    EXPECT_TRUE(PointsNear(PositionAt(*host, 50), {-12.5f, 0, 0}));
}

TEST(ModelControllers, ValuesHoldOutsideTheKeys) {
    doc::Controller<doc::PositionKey> controller;
    controller.keys = {PositionKey(100, {1, 2, 3}, {}, {5, 5, 5}), PositionKey(200, {4, 5, 6})};
    auto host = HostWithPosition(controller);
    EXPECT_TRUE(PositionAt(*host, -1000) == Point3(1, 2, 3));
    EXPECT_TRUE(PositionAt(*host, 100) == Point3(1, 2, 3));
    EXPECT_TRUE(PositionAt(*host, 200) == Point3(4, 5, 6));
    EXPECT_TRUE(PositionAt(*host, 5000) == Point3(4, 5, 6));
}

TEST(ModelControllers, LinearAndTcbPositionsFollowStraightLines) {
    for (doc::ControllerKind kind : {doc::ControllerKind::Linear, doc::ControllerKind::Tcb}) {
        doc::Controller<doc::PositionKey> controller;
        controller.kind = kind;
        controller.keys = {PositionKey(0, {0, 0, 0}), PositionKey(400, {40, -8, 4})};
        auto host = HostWithPosition(controller);
        EXPECT_TRUE(PointsNear(PositionAt(*host, 100), {10, -2, 1}));
        EXPECT_TRUE(PointsNear(PositionAt(*host, 300), {30, -6, 3}));
    }
}

TEST(ModelControllers, RotationsTurnAlongTheShortestArc) {
    doc::Document document;
    const int node = AddNode(document, "Spinner");
    doc::Controller<doc::RotationKey> rotation;
    rotation.kind = doc::ControllerKind::Tcb;
    // The second key is a 90 degree turn written on the far hemisphere (all signs flipped).
    rotation.keys = {{0, Quat()}, {100, -Turn(90, {0, 0, 1})}};
    document.nodes[static_cast<size_t>(node)].rotation = rotation;
    auto host = MakeHost(std::move(document));
    INode* spinner = host->FindNodeByName("Spinner");
    const Point3 x = Point3(1, 0, 0) * spinner->GetNodeTM(50);
    // Half way is 45 degrees towards +y, not 135 degrees the long way round.
    EXPECT_TRUE(PointsNear(x, {0.70710678f, 0.70710678f, 0}));
    EXPECT_TRUE(PointsNear(Point3(1, 0, 0) * spinner->GetNodeTM(100), {0, 1, 0}));
}

TEST(ModelControllers, KeyedPartsReplaceOnlyTheirPartOfTheTransform) {
    doc::Document document;
    const int node = AddNode(document, "Part");
    doc::Transform transform;
    transform.fromParts = true;
    transform.position = {10, 0, 0};
    transform.rotation = Turn(90, {0, 0, 1});
    transform.scale = {2, 2, 2};
    transform.matrix = TransMatrix(transform.position);
    PreRotateMatrix(transform.matrix, transform.rotation);
    ApplyScaling(transform.matrix, ScaleValue(transform.scale));
    document.nodes[static_cast<size_t>(node)].transform = transform;
    doc::Controller<doc::ScaleKey> scale;
    scale.kind = doc::ControllerKind::Linear;
    scale.keys = {{0, {1, 1, 1}}, {100, {3, 3, 3}}};
    document.nodes[static_cast<size_t>(node)].scale = scale;
    auto host = MakeHost(std::move(document));
    const Matrix3 world = host->FindNodeByName("Part")->GetNodeTM(50);
    // Scale 2 from the keys, the turn and the position from the transform.
    EXPECT_TRUE(PointsNear(Point3(1, 0, 0) * world, {10, 2, 0}));
}

TEST(ModelControllers, NodesWithoutKeysHaveKeyframeControllersWithoutKeys) {
    doc::Document document;
    AddNode(document, "Plain");
    auto host = MakeHost(std::move(document));
    Control* tm = host->FindNodeByName("Plain")->GetTMController();
    EXPECT_TRUE(tm->ClassID() == prsControlClassID);
    EXPECT_EQ(tm->GetInterface(LINK_CONSTRAINT_INTERFACE), nullptr);
    EXPECT_TRUE(tm->GetPositionController()->ClassID() == bezierPositionClassID);
    EXPECT_TRUE(tm->GetRotationController()->ClassID() == tcbRotationClassID);
    EXPECT_TRUE(tm->GetScaleController()->ClassID() == bezierScaleClassID);
    for (Control* sub :
         {tm->GetPositionController(), tm->GetRotationController(), tm->GetScaleController()}) {
        IKeyControl* keys = GetKeyControlInterface(sub);
        ASSERT_NE(keys, nullptr);
        EXPECT_EQ(keys->GetNumKeys(), 0);
    }
}

TEST(ModelControllers, ControllerClassesFollowTheirKindAndProceduralHasNoKeys) {
    const std::pair<doc::ControllerKind, Class_ID> kinds[] = {
        {doc::ControllerKind::Bezier, bezierPositionClassID},
        {doc::ControllerKind::Linear, linearPositionClassID},
        {doc::ControllerKind::Tcb, tcbPositionClassID}};
    for (const auto& [kind, id] : kinds) {
        doc::Controller<doc::PositionKey> controller;
        controller.kind = kind;
        controller.keys = {PositionKey(0, {1, 1, 1})};
        auto host = HostWithPosition(controller);
        Control* position =
            host->FindNodeByName("Mover")->GetTMController()->GetPositionController();
        EXPECT_TRUE(position->ClassID() == id);
        EXPECT_EQ(GetKeyControlInterface(position)->GetNumKeys(), 1);
    }
    doc::Controller<doc::PositionKey> procedural;
    procedural.kind = doc::ControllerKind::Procedural;
    auto host = HostWithPosition(procedural);
    EXPECT_EQ(GetKeyControlInterface(
                  host->FindNodeByName("Mover")->GetTMController()->GetPositionController()),
              nullptr);
}

TEST(ModelControllers, KeysReadAndWrittenThroughTheKeyInterfaceMoveTheNode) {
    doc::Controller<doc::PositionKey> controller;
    controller.keys = {PositionKey(0, {0, 0, 0}, {}, {1, 2, 3}), PositionKey(100, {10, 0, 0})};
    auto host = HostWithPosition(controller);
    INode* node = host->FindNodeByName("Mover");
    IKeyControl* keys = GetKeyControlInterface(node->GetTMController()->GetPositionController());
    IBezPoint3Key key;
    keys->GetKey(0, &key);
    EXPECT_EQ(key.time, 0);
    EXPECT_TRUE(key.outtan == Point3(1, 2, 3));
    EXPECT_TRUE(node->GetNodeTM(100).GetTrans() == Point3(10, 0, 0));  // now cached

    keys->SetNumKeys(3);
    IBezPoint3Key added;
    added.time = 200;
    added.val = Point3(0, 0, 7);
    keys->SetKey(2, &added);
    key.time = 100;
    key.val = Point3(0, 5, 0);
    key.outtan = Point3();
    keys->SetKey(1, &key);
    EXPECT_TRUE(node->GetNodeTM(100).GetTrans() == Point3(0, 5, 0));
    EXPECT_TRUE(node->GetNodeTM(300).GetTrans() == Point3(0, 0, 7));
    // Keys are read back as they were written, whatever their order in time.
    IBezPoint3Key back;
    keys->GetKey(2, &back);
    EXPECT_EQ(back.time, 200);
    EXPECT_EQ(keys->GetKeySize(), static_cast<int>(sizeof(IBezPoint3Key)));
}

TEST(ModelControllers, EveryKeyTypeOfTheChannelReadsAndWritesTimeAndValue) {
    doc::Document document;
    const int node = AddNode(document, "Turner");
    doc::Controller<doc::RotationKey> rotation;
    rotation.kind = doc::ControllerKind::Tcb;
    rotation.keys = {{0, Quat(0, 0, 0, 1)}, {50, Quat(0, 0, 0.6f, 0.8f)}};
    document.nodes[static_cast<size_t>(node)].rotation = rotation;
    auto host = MakeHost(std::move(document));
    IKeyControl* keys = GetKeyControlInterface(
        host->FindNodeByName("Turner")->GetTMController()->GetRotationController());
    ASSERT_NE(keys, nullptr);

    // The controller's own TCB key carries the spline parameters; the Bezier and linear keys of
    // the channel get the time and the value alone.
    ITCBRotKey tcb;
    tcb.time = 50;
    tcb.val = Quat(0.6f, 0, 0, 0.8f);
    tcb.tens = 0.25f;
    tcb.bias = -0.5f;
    keys->SetKey(1, &tcb);
    ITCBRotKey tcbBack;
    keys->GetKey(1, &tcbBack);
    EXPECT_EQ(tcbBack.time, 50);
    EXPECT_TRUE(tcbBack.val == Quat(0.6f, 0, 0, 0.8f));
    EXPECT_EQ(tcbBack.tens, 0.25f);
    EXPECT_EQ(tcbBack.bias, -0.5f);

    IBezQuatKey bezier;
    keys->GetKey(1, &bezier);
    EXPECT_EQ(bezier.time, 50);
    EXPECT_TRUE(bezier.val == Quat(0.6f, 0, 0, 0.8f));
    ILinRotKey linear;
    linear.time = 60;
    linear.val = Quat(0, 0.6f, 0, 0.8f);
    keys->SetKey(1, &linear);
    keys->GetKey(1, &tcbBack);
    EXPECT_EQ(tcbBack.time, 60);
    EXPECT_TRUE(tcbBack.val == Quat(0, 0.6f, 0, 0.8f));
    EXPECT_EQ(tcbBack.tens, 0.25f);  // untouched by a key without spline parameters

    // A key of another channel gets the time alone.
    IBezPoint3Key other;
    other.val = Point3(7, 7, 7);
    keys->GetKey(0, &other);
    EXPECT_EQ(other.time, 0);
    EXPECT_TRUE(other.val == Point3(7, 7, 7));
}

TEST(ModelControllers, VisibilityTracksAreOfferedWithTheirKeys) {
    doc::Document document;
    const int constant = AddNode(document, "Constant");
    const int linear = AddNode(document, "Linear");
    const int step = AddNode(document, "Step");
    doc::FloatTrack half;
    half.constant = true;
    half.keys = {{0, 0.5f}};
    document.nodes[static_cast<size_t>(constant)].visibility = half;
    doc::FloatTrack ramp;
    ramp.keys = {{100, 0.0f}, {200, 1.0f}};
    document.nodes[static_cast<size_t>(linear)].visibility = ramp;
    ramp.step = true;
    document.nodes[static_cast<size_t>(step)].visibility = ramp;
    auto host = MakeHost(std::move(document));

    INode* constantNode = host->FindNodeByName("Constant");
    EXPECT_EQ(constantNode->GetVisController(), nullptr);
    EXPECT_EQ(constantNode->GetVisibility(1234), 0.5f);

    INode* linearNode = host->FindNodeByName("Linear");
    Control* track = linearNode->GetVisController();
    ASSERT_NE(track, nullptr);
    EXPECT_TRUE(track->ClassID() == linearFloatClassID);
    IKeyControl* keys = GetKeyControlInterface(track);
    ASSERT_EQ(keys->GetNumKeys(), 2);
    IBezFloatKey key;
    keys->GetKey(1, &key);
    EXPECT_EQ(key.time, 200);
    EXPECT_EQ(key.val, 1.0f);
    EXPECT_EQ(linearNode->GetVisibility(0), 0.0f);
    EXPECT_FLOAT_EQ(linearNode->GetVisibility(150), 0.5f);
    EXPECT_EQ(linearNode->GetVisibility(9999), 1.0f);

    INode* stepNode = host->FindNodeByName("Step");
    EXPECT_TRUE(stepNode->GetVisController()->ClassID() == onOffFloatClassID);
    EXPECT_EQ(stepNode->GetVisibility(199), 0.0f);
    EXPECT_EQ(stepNode->GetVisibility(200), 1.0f);

    // A node without a visibility is fully visible.
    EXPECT_EQ(static_cast<INode*>(host->GetRootNode())->GetVisibility(0), 1.0f);
    ExpectSceneInvariants(host.get(), host->GetExpInterface()->theScene);
}

}  // namespace
}  // namespace pellucid::standalone::testing
