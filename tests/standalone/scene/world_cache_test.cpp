// World transforms asked for in any order: the same matrices, each node and time solved once, and
// the memory bound of the caches.
#include <gtest/gtest.h>

#include <algorithm>
#include <functional>
#include <vector>

#include "standalone/support/model_support.h"

namespace pellucid::standalone::testing {
namespace {

constexpr int kDepth = 12;

// A chain of bones C0..C11, each turning on keys of its own times, and a grip linked to C3 until
// tick 50 and to C9 from then, with a child of its own.
doc::Document ChainScene(bool withLink) {
    doc::Document document;
    int parent = -1;
    for (int i = 0; i < kDepth; ++i) {
        parent = AddNode(document, Numbered("C", static_cast<size_t>(i)), parent);
        doc::Node& node = document.nodes[static_cast<size_t>(parent)];
        node.transform = Translation(0, 1, 2);
        doc::Controller<doc::RotationKey> rotation;
        rotation.kind = doc::ControllerKind::Tcb;
        for (int k = 0; k < 4; ++k) {
            rotation.keys.push_back({i * 7 + k * 31, Turn(static_cast<float>(10 * (k + i)),
                                                          {1, (k % 2) * 1.0f, 0.5f})});
        }
        node.rotation = rotation;
    }
    if (withLink) {
        const int grip = AddNode(document, "Grip");
        document.nodes[static_cast<size_t>(grip)].transform = Translation(1, 0, 0);
        document.nodes[static_cast<size_t>(grip)].link = {{3, 0}, {9, 50}};
        const int held = AddNode(document, "Held", grip);
        document.nodes[static_cast<size_t>(held)].transform = Translation(0, 0, 1);
    }
    return document;
}

std::vector<TimeValue> Times() {
    std::vector<TimeValue> times;
    for (TimeValue t = -20; t <= 140; t += 5) {
        times.push_back(t);
    }
    return times;
}

std::vector<INode*> Nodes(StandaloneHost& host) {
    std::vector<INode*> nodes;
    for (SceneNode* node : host.GetScene().NodesInTreeOrder()) {
        nodes.push_back(node);
    }
    return nodes;
}

using Order = std::function<void(const std::vector<INode*>&, const std::vector<TimeValue>&,
                                 const std::function<void(size_t, size_t)>&)>;

// Node by node from the root, each at every time: how an exporter walks a skeleton.
void NodeByNode(const std::vector<INode*>& nodes, const std::vector<TimeValue>& times,
                const std::function<void(size_t, size_t)>& ask) {
    for (size_t n = 0; n < nodes.size(); ++n) {
        for (size_t t = 0; t < times.size(); ++t) {
            ask(n, t);
        }
    }
}

// Time by time, the deepest node first, so that every request starts a solve up the chain.
void TimeByTimeFromTheLeaves(const std::vector<INode*>& nodes, const std::vector<TimeValue>& times,
                             const std::function<void(size_t, size_t)>& ask) {
    for (size_t t = times.size(); t-- > 0;) {
        for (size_t n = nodes.size(); n-- > 0;) {
            ask(n, t);
        }
    }
}

// The world transform of every node at every time, asked for in `order`.
std::vector<Matrix3> Evaluate(StandaloneHost& host, const Order& order) {
    const std::vector<INode*> nodes = Nodes(host);
    const std::vector<TimeValue> times = Times();
    std::vector<Matrix3> worlds(nodes.size() * times.size());
    order(nodes, times, [&](size_t n, size_t t) {
        worlds[n * times.size() + t] = nodes[n]->GetNodeTM(times[t]);
    });
    return worlds;
}

TEST(WorldCache, TransformsDoNotDependOnTheOrderOfRequestsOrOnDroppedCaches) {
    auto nodeByNode = MakeHost(ChainScene(true));
    const std::vector<Matrix3> expected = Evaluate(*nodeByNode, NodeByNode);

    auto fromTheLeaves = MakeHost(ChainScene(true));
    EXPECT_TRUE(Evaluate(*fromTheLeaves, TimeByTimeFromTheLeaves) == expected);

    // A limit this small drops every cache before nearly every solve.
    auto dropping = MakeHost(ChainScene(true));
    dropping->GetScene().SetWorldCacheLimit(10);
    EXPECT_TRUE(Evaluate(*dropping, TimeByTimeFromTheLeaves) == expected);
    EXPECT_LE(dropping->GetScene().CachedWorldCount(), 10u + kDepth + 2);

    // The grip follows C3 before tick 50 and C9 from then on.
    const std::vector<INode*> nodes = Nodes(*nodeByNode);
    INode* grip = nodeByNode->FindNodeByName("Grip");
    const Matrix3 local = TransMatrix({1, 0, 0});
    EXPECT_TRUE(
        MatricesNear(grip->GetNodeTM(45), local * nodeByNode->FindNodeByName("C3")->GetNodeTM(45)));
    EXPECT_TRUE(MatricesNear(
        grip->GetNodeTM(120) * Inverse(nodeByNode->FindNodeByName("C9")->GetNodeTM(120)),
        grip->GetNodeTM(50) * Inverse(nodeByNode->FindNodeByName("C9")->GetNodeTM(50))));
}

TEST(WorldCache, EveryNodeAndTimeIsSolvedOnceWhateverTheOrder) {
    const size_t requests = static_cast<size_t>(kDepth) * Times().size();
    for (const Order& order : {Order(NodeByNode), Order(TimeByTimeFromTheLeaves)}) {
        auto host = MakeHost(ChainScene(false));
        Evaluate(*host, order);
        EXPECT_EQ(host->GetScene().CachedWorldCount(), requests);
        // Asking again solves nothing.
        Evaluate(*host, order);
        EXPECT_EQ(host->GetScene().CachedWorldCount(), requests);
    }
}

TEST(WorldCache, AChangeToTheSceneIsSeenByTransformsCachedBefore) {
    auto host = MakeHost(ChainScene(false));
    const std::vector<Matrix3> before = Evaluate(*host, NodeByNode);
    INode* top = host->FindNodeByName("C0");
    Matrix3 moved = top->GetNodeTM(0) * TransMatrix({0, 0, 100});
    top->SetNodeTM(0, moved);
    INode* deepest = host->FindNodeByName(Numbered("C", kDepth - 1));
    EXPECT_TRUE(PointsNear(deepest->GetNodeTM(0).GetTrans(),
                           before[(kDepth - 1) * Times().size() + 4].GetTrans() + Point3(0, 0, 100),
                           1e-3f));
}

}  // namespace
}  // namespace pellucid::standalone::testing
