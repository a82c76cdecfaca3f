// The editable mesh object and the triangle mesh that flows through a node's modifier stack.
#pragma once

#include <map>
#include <memory>
#include <utility>

#include "host/object.h"

namespace pellucid::standalone {

// The host's editable mesh (class (9, 0)): a triangle mesh whose cached face normals are dropped
// when its points change.
class EditableMesh : public TriObject {
  public:
    EditableMesh() = default;
    explicit EditableMesh(Mesh m) { mesh = std::move(m); }

    void PointsWereChanged() override { mesh.InvalidateGeomCache(); }
};

// A triangle mesh copied out of any object that converts to one; null when it does not.
std::unique_ptr<EditableMesh> ConvertToEditableMesh(Object* object, TimeValue t);

class NodePipeline;

// The object that a node's modifiers receive and change in turn. Eval(t) gives what the stack
// below the modifier at work makes at t, so that a modifier can compare its input at two times.
class PipelineMesh : public EditableMesh {
  public:
    explicit PipelineMesh(NodePipeline* pipeline) : pipeline_(pipeline) {}

    ObjectState Eval(TimeValue t) override;

    // The modifier that works on this object now (its index, top first), and the node.
    void SetStage(int modifierIndex, INode* node) {
        stage_ = modifierIndex;
        node_ = node;
    }
    void ForgetBelow() { below_.clear(); }

  private:
    NodePipeline* pipeline_;
    int stage_ = -1;
    INode* node_ = nullptr;
    std::map<std::pair<int, TimeValue>, std::unique_ptr<PipelineMesh>> below_;
};

}  // namespace pellucid::standalone
