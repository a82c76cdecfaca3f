// Evaluation of a node's modifier stack: the object converted to a triangle mesh, then each
// modifier from the bottom up. The node has one evaluated object, its evaluation cache: it stays
// valid while the node keeps its stack, and an evaluation at another time, or after the scene
// changed, recomputes it in place (so an object handed out earlier shows the latest evaluation).
#pragma once

#include <cstdint>
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
    // The node's evaluated object when it has been evaluated (at whatever time), else null.
    PipelineMesh* Current() const { return evaluated_ ? mesh_.get() : nullptr; }

  private:
    Object* base_;
    std::vector<Modifier*> modifiers_;
    std::unique_ptr<PipelineMesh> mesh_;
    ObjectState state_;
    TimeValue time_ = 0;
    std::uint64_t revision_ = 0;
    bool evaluated_ = false;
    bool running_ = false;
};

}  // namespace pellucid::standalone
