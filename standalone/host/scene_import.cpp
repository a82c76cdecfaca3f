#include "standalone/host/scene_import.h"

namespace pellucid::standalone {

void ImportedNode::Reference(Object* obj) {
    if (obj != nullptr && scene_.FindObject(obj) == nullptr) {
        ObjectEntry entry;
        entry.object.reset(obj);
        scene_.AddObject(std::move(entry));
    }
    node_->SetObject(obj);
}

ImpNode* SceneImporter::CreateNode() {
    created_.push_back(std::make_unique<ImportedNode>(scene_, scene_.NewNode("")));
    return created_.back().get();
}

void SceneImporter::AddNodeToScene(ImpNode* node) {
    for (const auto& made : created_) {
        if (made.get() == node) {
            scene_.Root()->AttachChild(made->Node());
            return;
        }
    }
}

int SceneImporter::NewScene() {
    created_.clear();
    scene_.Clear();
    return 1;
}

}  // namespace pellucid::standalone
