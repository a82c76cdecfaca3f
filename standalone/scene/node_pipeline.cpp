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
    auto found = results_.find(t);
    if (found == results_.end()) {
        if (results_.size() >= kKeptTimes) {
            auto oldest = results_.end();
            for (auto it = results_.begin(); it != results_.end(); ++it) {
                if (!it->second.running &&
                    (oldest == results_.end() || it->second.lastUse < oldest->second.lastUse)) {
                    oldest = it;
                }
            }
            if (oldest != results_.end()) {
                results_.erase(oldest);
            }
        }
        found = results_.emplace(t, Result()).first;
        Result& fresh = found->second;
        fresh.mesh = std::make_unique<PipelineMesh>(this);
        fresh.state = ObjectState(fresh.mesh.get());
    }
    Result& result = found->second;
    result.lastUse = ++uses_;
    // A modifier that evaluates its own node gets the result as it stands so far.
    if (result.revision != revision && !result.running) {
        result.running = true;
        const bool first = result.revision == 0;
        BitArray marks = result.mesh->mesh.faceSel;
        Run(*result.mesh, t, node, 0);
        Mesh& mesh = result.mesh->mesh;
        if (first) {
            for (int face : node->selectedFaces) {
                mesh.faceSel.Set(face);
            }
        } else if (marks.GetSize() == mesh.getNumFaces()) {
            // Marks that a check left on the evaluated mesh outlive a re-evaluation.
            mesh.faceSel = marks;
        }
        result.revision = revision;
        result.running = false;
    }
    return result.state;
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

PipelineMesh* NodePipeline::ResultAt(TimeValue t) const {
    const auto found = results_.find(t);
    return found == results_.end() ? nullptr : found->second.mesh.get();
}

}  // namespace pellucid::standalone
