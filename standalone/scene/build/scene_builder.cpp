#include "standalone/scene/build/scene_builder.h"

#include "standalone/document/scene_document_io.h"

#include "standalone/scene/build/scene_builder_parts.h"
#include "standalone/scene/controllers/keyed_controllers.h"

namespace pellucid::standalone {

namespace build {

void Fail(const std::string& what, const std::string& problem) {
    throw SceneBuildError(what + ": " + problem);
}

std::string ItemLabel(const char* kind, int index, const std::string& id) {
    return id.empty() ? std::string(kind) + " " + std::to_string(index)
                      : std::string(kind) + " \"" + id + "\"";
}

namespace {

template <typename Controller, typename Key, typename Fill>
void ReplaceController(const std::optional<doc::Controller<Key>>& given, Scene& scene,
                       std::unique_ptr<Controller>& out, Fill fill) {
    if (!given) {
        return;
    }
    out = std::make_unique<Controller>(given->kind, &scene.revision);
    out->explicitController = true;
    auto& records = out->MutableKeys();
    for (const Key& key : given->keys) {
        typename Controller::Record record;
        record.time = key.time;
        fill(key, record);
        records.push_back(record);
    }
}

void BuildControllers(const doc::Node& source, Scene& scene, SceneNode& node) {
    const doc::Settings& s = scene.settings;
    const TcbParams defaults{s.tension, s.continuity, s.bias, s.easeIn, s.easeOut};
    std::unique_ptr<PositionController> position;
    ReplaceController(source.position, scene, position,
                      [&](const doc::PositionKey& key, PositionRecord& record) {
                          record.value = key.value;
                          record.inTangent = key.inTangent;
                          record.outTangent = key.outTangent;
                          record.tcb = defaults;
                      });
    std::unique_ptr<RotationController> rotation;
    ReplaceController(source.rotation, scene, rotation,
                      [&](const doc::RotationKey& key, RotationRecord& record) {
                          record.value = key.value;
                          record.tcb = defaults;
                      });
    std::unique_ptr<ScaleController> scale;
    ReplaceController(source.scale, scene, scale,
                      [&](const doc::ScaleKey& key, ScaleRecord& record) {
                          record.value = ScaleValue(key.value);
                          record.tcb = defaults;
                      });
    if (position) {
        node.Transform().ReplacePosition(std::move(position));
    }
    if (rotation) {
        node.Transform().ReplaceRotation(std::move(rotation));
    }
    if (scale) {
        node.Transform().ReplaceScale(std::move(scale));
    }
}

void BuildNodes(const doc::Document& document, Scene& scene, Made& made) {
    for (const doc::Node& source : document.nodes) {
        SceneNode* node = scene.NewNode(source.name);
        node->id = source.id;
        made.nodes.push_back(node);
    }
    for (int root : document.rootNodes) {
        scene.Root()->AttachChild(made.nodes[static_cast<size_t>(root)]);
    }
    for (size_t i = 0; i < document.nodes.size(); ++i) {
        const doc::Node& source = document.nodes[i];
        SceneNode& node = *made.nodes[i];
        for (int child : source.children) {
            node.AttachChild(made.nodes[static_cast<size_t>(child)]);
        }
        node.SetHidden(source.hidden);
        node.SetSelected(source.selected);
        node.SetMaterial(
            source.material < 0 ? nullptr : made.materials[static_cast<size_t>(source.material)]);
        node.SetLocalTransform(source.transform);
        BuildControllers(source, scene, node);
        std::vector<LinkEntry> link;
        for (const doc::LinkTarget& target : source.link) {
            link.push_back(
                {target.node < 0 ? nullptr : made.nodes[static_cast<size_t>(target.node)],
                 target.time});
        }
        if (!link.empty()) {
            node.Transform().Link().SetTargets(std::move(link));
        }
        node.SetVisibility(source.visibility);
        node.SetPivot(source.pivot);
    }
}

// Objects and modifier stacks, and the face selections that live on them.
void AssignObjects(const doc::Document& document, const Made& made) {
    for (size_t i = 0; i < document.nodes.size(); ++i) {
        const doc::Node& source = document.nodes[i];
        SceneNode& node = *made.nodes[i];
        std::vector<Modifier*> stack;
        for (int m : source.modifiers) {
            stack.push_back(made.modifiers[static_cast<size_t>(m)]);
        }
        Object* object =
            source.object < 0 ? nullptr : made.objects[static_cast<size_t>(source.object)];
        node.SetObject(object);
        node.SetModifiers(std::move(stack));
        auto* editable = dynamic_cast<TriObject*>(object);
        if (editable != nullptr && source.modifiers.empty()) {
            for (int face : source.selectedFaces) {
                editable->mesh.faceSel.Set(face);
            }
        } else {
            node.selectedFaces = source.selectedFaces;
        }
    }
}

}  // namespace

}  // namespace build

void BuildScene(doc::Document document, Scene& scene) {
    // The live scene cuts a cycle of link targets where it closes, so a document made in memory
    // may hold one; documents read from text may not.
    ValidateDocument(document, "scene document", false);
    scene.settings = document.settings;
    scene.baseDirectory = document.baseDirectory;
    AddToScene(std::move(document), scene);
}

void AddToScene(doc::Document document, Scene& scene) {
    build::Made made;
    build::BuildMaps(document, scene, made);
    build::BuildMaterials(document, scene, made);
    build::BuildObjects(document, scene, made);
    build::BuildNodes(document, scene, made);
    build::BuildModifiers(document, scene, made);
    build::AssignObjects(document, made);
    build::BindSkins(document, scene, made);
}

}  // namespace pellucid::standalone
