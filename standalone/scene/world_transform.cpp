#include "standalone/scene/world_transform.h"

#include <unordered_map>
#include <unordered_set>
#include <vector>

#include "standalone/scene/scene_node.h"
#include "standalone/scene/scene_store.h"

namespace pellucid::standalone {

namespace {

struct Request {
    const SceneNode* node;
    TimeValue time;
    bool operator==(const Request&) const = default;
};

struct RequestHash {
    size_t operator()(const Request& r) const {
        return std::hash<const void*>()(r.node) ^
               (std::hash<int>()(r.time) * 0x9e3779b97f4a7c15ull);
    }
};

const SceneNode* TargetNode(const LinkEntry& entry) {
    return static_cast<const SceneNode*>(entry.target);
}

// Solves world transforms for one request and everything it needs. Results of this solve are
// kept here as well as in the nodes' small caches, so that a request needing many times of one
// node never waits on an evicted entry.
class WorldSolver {
  public:
    explicit WorldSolver(std::uint64_t revision) : revision_(revision) {}

    Matrix3 World(const SceneNode* node, TimeValue t) {
        Matrix3 known;
        if (Known({node, t}, known)) {
            return known;
        }
        // The stack is the path of requests being solved; a dependency already on it closes a
        // cycle of links and counts as the world.
        std::vector<Request> stack{{node, t}};
        onPath_.insert({node, t});
        while (!stack.empty()) {
            const Request request = stack.back();
            bool pushed = false;
            for (const Request& dependency : Dependencies(request)) {
                if (!Known(dependency, known) && onPath_.count(dependency) == 0) {
                    onPath_.insert(dependency);
                    stack.push_back(dependency);
                    pushed = true;
                    break;
                }
            }
            if (pushed) {
                continue;
            }
            const Matrix3 world = request.node->LocalTM(request.time) * Frame(request);
            solved_[request] = world;
            request.node->StoreWorld(request.time, revision_, world);
            onPath_.erase(request);
            stack.pop_back();
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
    bool Known(const Request& request, Matrix3& out) {
        if (request.node == nullptr || request.node->IsRoot()) {
            out = Matrix3();
            return true;
        }
        const auto found = solved_.find(request);
        if (found != solved_.end()) {
            out = found->second;
            return true;
        }
        if (request.node->CachedWorld(request.time, revision_, out)) {
            solved_[request] = out;
            return true;
        }
        return false;
    }

    Matrix3 WorldOrIdentity(const Request& request) {
        Matrix3 m;
        return Known(request, m) ? m : Matrix3();
    }

    // What a node's world transform at a time needs: its parent's, or its link target's and,
    // until the holds are known, the targets on both sides of every switch.
    std::vector<Request> Dependencies(const Request& request) {
        std::vector<Request> result;
        const SceneNode* node = request.node;
        const LinkConstraint& link = node->Transform().Link();
        if (link.Targets().empty()) {
            result.push_back({node->Parent(), request.time});
            return result;
        }
        const auto& targets = link.Targets();
        if (node->LinkHolds().revision != revision_) {
            for (size_t k = 1; k < targets.size(); ++k) {
                result.push_back({TargetNode(targets[k - 1]), targets[k].time});
                result.push_back({TargetNode(targets[k]), targets[k].time});
            }
        }
        const int i = link.TargetInForce(request.time);
        result.push_back({TargetNode(targets[static_cast<size_t>(i)]), request.time});
        return result;
    }

    // H_0 = identity; H_k = H_(k-1) * target_(k-1)(s_k) * Inverse(target_k(s_k)).
    const std::vector<Matrix3>& Holds(const SceneNode* node) {
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
    std::unordered_map<Request, Matrix3, RequestHash> solved_;
    std::unordered_set<Request, RequestHash> onPath_;
};

}  // namespace

Matrix3 NodeWorldTM(const SceneNode* node, TimeValue t) {
    if (node == nullptr || node->IsRoot()) {
        return Matrix3();
    }
    Matrix3 cached;
    const std::uint64_t revision = node->OwnerScene().revision.Value();
    if (node->CachedWorld(t, revision, cached)) {
        return cached;
    }
    return WorldSolver(revision).World(node, t);
}

Matrix3 NodeFrameTM(const SceneNode* node, TimeValue t) {
    if (node == nullptr || node->IsRoot()) {
        return Matrix3();
    }
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
