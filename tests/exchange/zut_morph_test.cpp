// The ZUT morph modifier on the stand-alone host's modifier stacks: from the rest shape at frame 0
// to the frame-10 shape, each point starting from the rest point nearest to it.
#include <gtest/gtest.h>

#include "standalone/support/model_support.h"

namespace pellucid::standalone::testing {
namespace {

// A triangle under ZUTMorph, above a morpher that lifts vertex 1 by `lift` over ten frames.
doc::Document MorphedTriangle(float lift) {
    doc::Document document;
    const int node = AddNode(document, "Shape");
    document.nodes[0].object = AddObject(document, TriangleMesh());
    doc::Modifier zut;
    zut.type = doc::ModifierType::ZUTMorph;
    doc::Modifier morpher = Morpher({0, 1, 2}, {{0, 0, 0}, {0, 0, lift}, {0, 0, 0}}, 1600);
    morpher.channels[0].name = "Lift";
    morpher.channels[0].hasData = morpher.channels[0].enabled = 1;
    document.modifiers = {zut, morpher};
    document.nodes[static_cast<size_t>(node)].modifiers = {0, 1};
    return document;
}

std::vector<Point3> Shape(StandaloneHost& host, TimeValue t) {
    return static_cast<TriObject*>(host.FindNodeByName("Shape")->EvalWorldState(t).obj)->mesh.verts;
}

TEST(ZUTMorph, MovesFromTheNearestRestPointToTheFrame10Point) {
    auto host = MakeHost(MorphedTriangle(10.0f));
    // Vertex 1 rises to (1, 0, 10); the rest point nearest to that is (1, 0, 0) itself.
    EXPECT_TRUE(Shape(*host, 0)[1] == Point3(1, 0, 0));
    EXPECT_TRUE(Shape(*host, 800)[1] == Point3(1, 0, 5));
    EXPECT_TRUE(Shape(*host, 1600)[1] == Point3(1, 0, 10));
    EXPECT_TRUE(Shape(*host, 3200)[1] == Point3(1, 0, 10));
    EXPECT_TRUE(Shape(*host, -800)[1] == Point3(1, 0, -5));
    EXPECT_TRUE(Shape(*host, 800)[0] == Point3(0, 0, 0));
}

TEST(ZUTMorph, StartsFromTheRestPointNearestToTheFrame10Point) {
    // Vertex 1 sinks to (1, 0, -1.5), 1.5 from its own rest place and 1.8 from vertex 0's.
    auto host = MakeHost(MorphedTriangle(-1.5f));
    EXPECT_TRUE(Shape(*host, 0)[1] == Point3(1, 0, 0));
    doc::Document document = MorphedTriangle(0.0f);
    document.modifiers[1].channels[0].deltas = {{0, 0, 0}, {-0.9f, 0.05f, 0}, {0, 0, 0}};
    auto moved = MakeHost(document);
    // (0.1, 0.05, 0) is nearest to (0, 0, 0): every point but the moved one stays, and the moved
    // one starts from vertex 0's place.
    EXPECT_TRUE(Shape(*moved, 0)[1] == Point3(0, 0, 0));
    EXPECT_TRUE(PointsNear(Shape(*moved, 800)[1], {0.05f, 0.025f, 0}));
    EXPECT_TRUE(Shape(*moved, 800)[2] == Point3(0, 1, 0));
}

TEST(ZUTMorph, AShapeThatDoesNotMoveStaysAtEveryTime) {
    auto host = MakeHost(MorphedTriangle(0.0f));
    for (TimeValue t : {-1600, 0, 333, 1600, 100000}) {
        EXPECT_EQ(Shape(*host, t), (std::vector<Point3>{{0, 0, 0}, {1, 0, 0}, {0, 1, 0}})) << t;
    }
    auto* derived = static_cast<IDerivedObject*>(host->FindNodeByName("Shape")->GetObjectRef());
    EXPECT_STREQ(derived->GetModifier(0)->GetName(), "ZUTMorph");
}

}  // namespace
}  // namespace pellucid::standalone::testing
