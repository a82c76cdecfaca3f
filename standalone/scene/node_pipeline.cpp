#include "standalone/scene/node_pipeline.h"

#include "standalone/scene/scene_node.h"
#include "standalone/scene/scene_store.h"

namespace pellucid::standalone {

NodePipeline::NodePipeline(Object* base, std::vector<Modifier*> topFirst)
    : base_(base), modifiers_(std::move(topFirst)) {}

bool NodePipeline::Applies() const {
    return base_ != nullptr && base_->SuperClassID() == GEOMOBJECT_CLASS_ID &&
           (dynamic_cast<TriObject*>(base_) != nullptr ||
            base_->CanConvertToType(triObjectClassID) != 0);
}

const ObjectState& NodePipeline::Evaluate(TimeValue t, SceneNode* node) {
    const std::uint64_t revision = node->OwnerScene().revision.Value();
    if (!mesh_) {
        mesh_ = std::make_unique<PipelineMesh>(this);
        state_ = ObjectState(mesh_.get());
    }
    // A modifier that evaluates its own node gets the result as it stands so far.
    const bool current = evaluated_ && time_ == t && revision_ == revision;
    if (!current && !running_) {
        running_ = true;
        BitArray marks = mesh_->mesh.faceSel;
        Run(*mesh_, t, node, 0);
        Mesh& mesh = mesh_->mesh;
        if (!evaluated_) {
            for (int face : node->selectedFaces) {
                mesh.faceSel.Set(face);
            }
        } else if (marks.GetSize() == mesh.getNumFaces()) {
            // Marks that a check left on the evaluated mesh outlive a re-evaluation.
            mesh.faceSel = marks;
        }
        time_ = t;
        revision_ = revision;
        evaluated_ = true;
        running_ = false;
    }
    return state_;
}

void NodePipeline::Run(PipelineMesh& target, TimeValue t, INode* node, int top) {
    std::unique_ptr<EditableMesh> base = ConvertToEditableMesh(base_, t);
    target.mesh = base ? std::move(base->mesh) : Mesh();
    target.mesh.faceSel.SetSize(target.mesh.getNumFaces(), true);
    target.ForgetBelow();
    for (int i = static_cast<int>(modifiers_.size()) - 1; i >= top && i >= 0; --i) {
        target.SetStage(i, node);
        ObjectState state(&target);
        ModContext context;
        modifiers_[static_cast<size_t>(i)]->ModifyObject(t, context, &state, node);
    }
    target.ForgetBelow();
    // Eval on the result gives this same level of the stack at another time.
    target.SetStage(top - 1, node);
}

}  // namespace pellucid::standalone
