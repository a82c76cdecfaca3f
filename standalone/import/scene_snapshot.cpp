#include "standalone/import/scene_snapshot.h"

#include <memory>

#include "standalone/scene/node_pipeline.h"
#include "standalone/scene/objects/mesh_objects.h"

namespace pellucid::standalone {

namespace {

struct Frozen {
    SceneNode* node;
    Matrix3 local;
    float visibility;
    std::unique_ptr<EditableMesh> mesh;  // null when the node has no running stack
};

template <typename Controller>
void DropKeys(Controller& controller) {
    controller.MutableKeys().clear();
    controller.explicitController = false;
}

// Keeps the entries whose flag is set, and answers each old index's new one (-1 when dropped).
template <typename Entry>
std::vector<int> KeepUsed(std::vector<Entry>& entries, const std::vector<bool>& used) {
    std::vector<int> renumbered(entries.size(), -1);
    std::vector<Entry> kept;
    for (size_t i = 0; i < entries.size(); ++i) {
        if (used[i]) {
            renumbered[i] = static_cast<int>(kept.size());
            kept.push_back(std::move(entries[i]));
        }
    }
    entries = std::move(kept);
    return renumbered;
}

}  // namespace

void DropUnusedObjectsAndModifiers(doc::Document& document) {
    std::vector<bool> objectUsed(document.objects.size(), false);
    std::vector<bool> modifierUsed(document.modifiers.size(), false);
    for (const doc::Node& node : document.nodes) {
        if (node.object >= 0) {
            objectUsed[static_cast<size_t>(node.object)] = true;
        }
        for (int m : node.modifiers) {
            modifierUsed[static_cast<size_t>(m)] = true;
        }
    }
    const std::vector<int> objects = KeepUsed(document.objects, objectUsed);
    const std::vector<int> modifiers = KeepUsed(document.modifiers, modifierUsed);
    for (doc::Node& node : document.nodes) {
        if (node.object >= 0) {
            node.object = objects[static_cast<size_t>(node.object)];
        }
        for (int& m : node.modifiers) {
            m = modifiers[static_cast<size_t>(m)];
        }
    }
}

std::vector<EvaluatedNode> FreezeSceneAt(Scene& scene, TimeValue t) {
    std::vector<Frozen> frozen;
    std::vector<EvaluatedNode> evaluated;
    for (SceneNode* node : scene.NodesInTreeOrder()) {
        Frozen f{node, Matrix3(), node->GetVisibility(t), nullptr};
        f.local = node->GetNodeTM(t) * Inverse(node->GetParentTM(t));
        if (node->Pipeline() != nullptr && node->Pipeline()->Applies()) {
            f.mesh = ConvertToEditableMesh(node->EvalWorldState(t).obj, t);
        }
        if (f.mesh) {
            EvaluatedNode report{
                node->Name(), {}, f.mesh->mesh.getNumVerts(), f.mesh->mesh.getNumFaces()};
            for (Modifier* modifier : node->Modifiers()) {
                report.modifiers.emplace_back(modifier->GetName());
            }
            evaluated.push_back(std::move(report));
        }
        frozen.push_back(std::move(f));
    }
    for (Frozen& f : frozen) {
        SceneNode& node = *f.node;
        if (f.mesh) {
            // Face marks live on the evaluated mesh; the frozen mesh keeps them itself.
            EditableMesh* mesh = f.mesh.get();
            ObjectEntry entry;
            entry.object = std::move(f.mesh);
            scene.AddObject(std::move(entry));
            node.SetModifiers({});
            node.SetObject(mesh);
            node.selectedFaces.clear();
        }
        DropKeys(node.Transform().Position());
        DropKeys(node.Transform().Rotation());
        DropKeys(node.Transform().Scale());
        node.Transform().Link().SetTargets({});
        doc::Transform transform;
        transform.matrix = f.local;
        node.SetLocalTransform(transform);
        if (node.Visibility()) {
            doc::FloatTrack constant;
            constant.constant = true;
            constant.keys = {{0, f.visibility}};
            node.SetVisibility(constant);
        }
    }
    scene.settings.time = t;
    return evaluated;
}

}  // namespace pellucid::standalone
