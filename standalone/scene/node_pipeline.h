// Evaluation of a node's modifier stack: the object converted to a triangle mesh, then each
// modifier from the bottom up. Results are kept per time, so that the objects handed out stay
// valid while the library holds them; a result is recomputed in place when the scene changed.
#pragma once

#include <cstdint>
#include <map>
#include <memory>
#include <vector>

#include "standalone/scene/objects/mesh_objects.h"

namespace pellucid::standalone {

class SceneNode;

class NodePipeline {
  public:
    NodePipeline(Object* base, std::vector<Modifier*> topFirst);

    // Whether the stack works on this object: geometry is converted to a triangle mesh for the
    // modifiers; helpers, lights, cameras and shapes stay as they are.
    bool Applies() const;
    const ObjectState& Evaluate(TimeValue t, SceneNode* node);
    // Fills `target` with the base mesh at t changed by the modifiers from the bottom of the
    // stack up to index `top` (top first indexing: `top` 0 runs the whole stack).
    void Run(PipelineMesh& target, TimeValue t, INode* node, int top);
    // The result at t when it has been evaluated, else null.
    PipelineMesh* ResultAt(TimeValue t) const;

    // How many times a node keeps results for; the least recently used goes beyond that.
    static constexpr size_t kKeptTimes = 64;

  private:
    struct Result {
        std::unique_ptr<PipelineMesh> mesh;
        ObjectState state;
        std::uint64_t revision = 0;
        std::uint64_t lastUse = 0;
        bool running = false;
    };

    Object* base_;
    std::vector<Modifier*> modifiers_;
    std::map<TimeValue, Result> results_;
    std::uint64_t uses_ = 0;
};

}  // namespace pellucid::standalone
