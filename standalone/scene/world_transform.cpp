#include "standalone/scene/world_transform.h"

#include <optional>
#include <vector>

#include "standalone/scene/scene_node.h"
#include "standalone/scene/scene_store.h"

namespace pellucid::standalone {

namespace {

struct Request {
    const SceneNode* node;
    TimeValue time;
};

const SceneNode* TargetNode(const LinkEntry& entry) {
    return static_cast<const SceneNode*>(entry.target);
}

// Solves world transforms for one request and everything it needs, with an explicit stack (trees
// and link chains may be deep). Every transform solved goes into its node's cache, which is not
// dropped while a solve runs, so each node and time is solved once.
class WorldSolver {
  public:
    explicit WorldSolver(std::uint64_t revision) : revision_(revision) {}

    Matrix3 World(const SceneNode* node, TimeValue t) {
        Matrix3 known;
        if (Known({node, t}, known)) {
            return known;
        }
        // The stack is the path of requests being solved; a dependency on a node already on it
        // closes a cycle of links and counts as the world.
        Push({node, t});
        while (!stack_.empty()) {
            const Request request = stack_.back();
            if (const std::optional<Request> dependency = PendingDependency(request)) {
                Push(*dependency);
                continue;
            }
            const Matrix3 world = request.node->LocalTM(request.time) * Frame(request);
            request.node->StoreWorld(request.time, revision_, world);
            request.node->SetOnWorldPath(false);
            stack_.pop_back();
        }
        Known({node, t}, known);
        return known;
    }

    Matrix3 Frame(const Request& request) {
        const SceneNode* node = request.node;
        if (node->IsRoot()) {
            return Matrix3();
        }
        const LinkConstraint& link = node->Transform().Link();
        if (link.Targets().empty()) {
            return WorldOrIdentity({node->Parent(), request.time});
        }
        const std::vector<Matrix3>& holds = Holds(node);
        const int i = link.TargetInForce(request.time);
        const SceneNode* target = TargetNode(link.Targets()[static_cast<size_t>(i)]);
        return holds[static_cast<size_t>(i)] * WorldOrIdentity({target, request.time});
    }

  private:
    void Push(const Request& request) {
        request.node->SetOnWorldPath(true);
        stack_.push_back(request);
    }

    bool Known(const Request& request, Matrix3& out) const {
        if (request.node == nullptr || request.node->IsRoot()) {
            out = Matrix3();
            return true;
        }
        return request.node->CachedWorld(request.time, revision_, out);
    }

    Matrix3 WorldOrIdentity(const Request& request) const {
        Matrix3 m;
        return Known(request, m) ? m : Matrix3();
    }

    bool Pending(const Request& request) const {
        Matrix3 ignored;
        return !Known(request, ignored) && !request.node->OnWorldPath();
    }

    // The first of what the request needs that is neither solved nor on the path: its parent's
    // world transform, or its link target's and, until the holds are known, the targets' on both
    // sides of every switch.
    std::optional<Request> PendingDependency(const Request& request) const {
        const SceneNode* node = request.node;
        const LinkConstraint& link = node->Transform().Link();
        const auto& targets = link.Targets();
        if (targets.empty()) {
            const Request parent{node->Parent(), request.time};
            return Pending(parent) ? std::optional(parent) : std::nullopt;
        }
        if (node->LinkHolds().revision != revision_) {
            for (size_t k = 1; k < targets.size(); ++k) {
                for (const Request side : {Request{TargetNode(targets[k - 1]), targets[k].time},
                                           Request{TargetNode(targets[k]), targets[k].time}}) {
                    if (Pending(side)) {
                        return side;
                    }
                }
            }
        }
        const int i = link.TargetInForce(request.time);
        const Request target{TargetNode(targets[static_cast<size_t>(i)]), request.time};
        return Pending(target) ? std::optional(target) : std::nullopt;
    }

    // H_0 = identity; H_k = H_(k-1) * target_(k-1)(s_k) * Inverse(target_k(s_k)).
    const std::vector<Matrix3>& Holds(const SceneNode* node) const {
        SceneNode::Holds& holds = node->LinkHolds();
        if (holds.revision != revision_) {
            const auto& targets = node->Transform().Link().Targets();
            holds.matrices.assign(targets.size(), Matrix3());
            for (size_t k = 1; k < targets.size(); ++k) {
                const TimeValue s = targets[k].time;
                holds.matrices[k] = holds.matrices[k - 1] *
                                    WorldOrIdentity({TargetNode(targets[k - 1]), s}) *
                                    Inverse(WorldOrIdentity({TargetNode(targets[k]), s}));
            }
            holds.revision = revision_;
        }
        return holds.matrices;
    }

    std::uint64_t revision_;
    std::vector<Request> stack_;
};

}  // namespace

Matrix3 NodeWorldTM(const SceneNode* node, TimeValue t) {
    if (node == nullptr || node->IsRoot()) {
        return Matrix3();
    }
    Matrix3 world;
    const std::uint64_t revision = node->OwnerScene().revision.Value();
    if (node->CachedWorld(t, revision, world)) {
        return world;
    }
    node->OwnerScene().KeepWorldCachesBounded();
    // The usual case, without a solver: an unlinked node whose parent is known at t.
    const SceneNode* parent = node->Parent();
    Matrix3 frame;
    if (!node->Transform().HasLink() &&
        (parent == nullptr || parent->IsRoot() || parent->CachedWorld(t, revision, frame))) {
        world = node->LocalTM(t) * frame;
        node->StoreWorld(t, revision, world);
        return world;
    }
    return WorldSolver(revision).World(node, t);
}

Matrix3 NodeFrameTM(const SceneNode* node, TimeValue t) {
    if (node == nullptr || node->IsRoot()) {
        return Matrix3();
    }
    node->OwnerScene().KeepWorldCachesBounded();
    WorldSolver solver(node->OwnerScene().revision.Value());
    // Solving the node itself first brings every transform its frame needs.
    solver.World(node, t);
    return solver.Frame({node, t});
}

Matrix3 ComposeTransform(const Point3& position, const Quat& rotation, const ScaleValue& scale) {
    Matrix3 m = TransMatrix(position);
    PreRotateMatrix(m, rotation);
    ApplyScaling(m, scale);
    return m;
}

}  // namespace pellucid::standalone
