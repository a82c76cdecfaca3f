#include "standalone/scene/build/scene_capture.h"

#include <unordered_map>
#include <unordered_set>

#include "objects/collbox.h"
#include "standalone/scene/modifiers/morph_modifier.h"
#include "standalone/scene/modifiers/skin_modifier.h"
#include "standalone/scene/node_pipeline.h"
#include "standalone/scene/objects/library_classes.h"
#include "standalone/scene/objects/primitive_objects.h"

namespace pellucid::standalone {

namespace {

doc::MeshData CaptureMesh(const Mesh& mesh, bool uvHasW) {
    doc::MeshData data;
    data.vertices = mesh.verts;
    bool smoothing = false;
    bool materialIds = false;
    for (const Face& face : mesh.faces) {
        data.faces.push_back({face.v[0], face.v[1], face.v[2]});
        smoothing = smoothing || face.smGroup != 0;
        materialIds = materialIds || face.getMatID() != 0;
    }
    for (const Face& face : mesh.faces) {
        if (smoothing) {
            data.smoothing.push_back(face.smGroup);
        }
        if (materialIds) {
            data.materialIds.push_back(face.getMatID());
        }
    }
    data.uvVertices = mesh.tVerts;
    data.uvHasW = uvHasW;
    for (const UVVert& uv : mesh.tVerts) {
        data.uvHasW = data.uvHasW || uv.z != 0.0f;
    }
    for (const TVFace& face : mesh.tvFace) {
        data.uvFaces.push_back({face.t[0], face.t[1], face.t[2]});
    }
    return data;
}

float BlockFloat(IParamBlock* block, int index) {
    float value = 0.0f;
    Interval valid = FOREVER;
    block->GetValue(index, 0, value, valid);
    return value;
}

int BlockInt(IParamBlock* block, int index) {
    int value = 0;
    Interval valid = FOREVER;
    block->GetValue(index, 0, value, valid);
    return value;
}

doc::Object CaptureObject(const ObjectEntry& entry) {
    doc::Object result;
    result.id = entry.id;
    Object* object = entry.object.get();
    if (auto* tri = dynamic_cast<TriObject*>(object)) {
        result.type = doc::ObjectType::Mesh;
        result.mesh = CaptureMesh(tri->mesh, entry.uvHasW);
    } else if (auto* sphere = dynamic_cast<SphereObject*>(object)) {
        result.type = doc::ObjectType::Sphere;
        result.radius = sphere->Radius();
        result.segments = sphere->Segments();
    } else if (auto* box = dynamic_cast<BoxObject*>(object)) {
        result.type = doc::ObjectType::Box;
        result.length = box->length;
        result.width = box->width;
        result.height = box->height;
    } else if (auto* collBox = dynamic_cast<CollBox*>(object); collBox && collBox->pblock) {
        result.type = doc::ObjectType::CollBox;
        result.length = BlockFloat(collBox->pblock, PB_LENGTH);
        result.width = BlockFloat(collBox->pblock, PB_WIDTH);
        result.height = BlockFloat(collBox->pblock, PB_HEIGHT);
        result.widthSegments = BlockInt(collBox->pblock, PB_WSEGS);
        result.lengthSegments = BlockInt(collBox->pblock, PB_LSEGS);
        result.heightSegments = BlockInt(collBox->pblock, PB_HSEGS);
        result.mapping = BlockInt(collBox->pblock, PB_GENUV) != 0;
    } else if (object->ClassID() == boneObjClassID) {
        result.type = doc::ObjectType::Bone;
    } else if (object->SuperClassID() == LIGHT_CLASS_ID) {
        result.type = doc::ObjectType::Light;
    } else if (object->SuperClassID() == CAMERA_CLASS_ID) {
        result.type = doc::ObjectType::Camera;
    } else if (object->SuperClassID() == SHAPE_CLASS_ID) {
        result.type = doc::ObjectType::Shape;
    } else {
        // Helpers of other classes, and anything a document cannot describe, stand as dummies.
        result.type = doc::ObjectType::Dummy;
    }
    return result;
}

template <typename Controller, typename Key, typename Fill>
std::optional<doc::Controller<Key>> CaptureController(const Controller& controller, Fill fill) {
    if (!controller.explicitController && controller.Keys().empty()) {
        return std::nullopt;
    }
    doc::Controller<Key> result;
    result.kind = controller.Kind();
    for (const auto& record : controller.Keys()) {
        Key key;
        key.time = record.time;
        fill(record, key);
        result.keys.push_back(key);
    }
    return result;
}

std::vector<int> SelectedFaces(const SceneNode& node) {
    const Mesh* mesh = nullptr;
    if (node.Modifiers().empty()) {
        if (auto* tri = dynamic_cast<TriObject*>(node.BaseObject())) {
            mesh = &tri->mesh;
        }
    } else if (node.Pipeline() != nullptr) {
        if (PipelineMesh* result = node.Pipeline()->Current()) {
            mesh = &result->mesh;
        }
    }
    if (mesh == nullptr) {
        return node.selectedFaces;
    }
    std::vector<int> faces;
    for (int f = 0; f < mesh->faceSel.GetSize(); ++f) {
        if (mesh->faceSel[f]) {
            faces.push_back(f);
        }
    }
    return faces;
}

// Objects used by several nodes need an id to stay one object; new ones get a free one.
void NameSharedObjects(doc::Document& document) {
    std::vector<int> uses(document.objects.size(), 0);
    for (const doc::Node& node : document.nodes) {
        if (node.object >= 0) {
            ++uses[static_cast<size_t>(node.object)];
        }
    }
    std::unordered_set<std::string> taken;
    for (const doc::Object& object : document.objects) {
        taken.insert(object.id);
    }
    int next = 1;
    for (size_t i = 0; i < document.objects.size(); ++i) {
        if (uses[i] > 1 && document.objects[i].id.empty()) {
            std::string id;
            do {
                id = "object" + std::to_string(next++);
            } while (taken.count(id) != 0);
            taken.insert(id);
            document.objects[i].id = id;
        }
    }
}

}  // namespace

doc::Document CaptureScene(const Scene& scene) {
    doc::Document document;
    document.settings = scene.settings;
    document.baseDirectory = scene.baseDirectory;
    for (const MapEntry& entry : scene.Maps()) {
        document.maps.push_back(entry.source);
    }
    std::unordered_map<const Mtl*, int> materialIndex;
    for (const MaterialEntry& entry : scene.Materials()) {
        materialIndex[entry.material.get()] = static_cast<int>(document.materials.size());
        document.materials.push_back(entry.source);
    }
    std::unordered_map<const Object*, int> objectIndex;
    for (const ObjectEntry& entry : scene.Objects()) {
        objectIndex[entry.object.get()] = static_cast<int>(document.objects.size());
        document.objects.push_back(CaptureObject(entry));
    }
    std::unordered_map<const Modifier*, int> modifierIndex;
    for (const ModifierEntry& entry : scene.Modifiers()) {
        modifierIndex[entry.modifier.get()] = static_cast<int>(document.modifiers.size());
        document.modifiers.push_back(entry.source);
    }

    // Nodes in the tree keep their order of making; the document's nodes come first.
    std::unordered_set<const SceneNode*> inTree;
    for (SceneNode* node : scene.NodesInTreeOrder()) {
        inTree.insert(node);
    }
    std::unordered_map<const INode*, int> nodeIndex;
    std::vector<int> remap(scene.Nodes().size(), -1);
    std::vector<const SceneNode*> order;
    for (size_t i = 0; i < scene.Nodes().size(); ++i) {
        const SceneNode* node = scene.Nodes()[i].get();
        if (inTree.count(node) != 0) {
            remap[i] = static_cast<int>(order.size());
            nodeIndex[node] = remap[i];
            order.push_back(node);
        }
    }
    auto indexOf = [&](const INode* node) {
        const auto found = nodeIndex.find(node);
        return found == nodeIndex.end() ? -1 : found->second;
    };
    auto remapIndex = [&](int old) {
        return old >= 0 && static_cast<size_t>(old) < remap.size() ? remap[static_cast<size_t>(old)]
                                                                   : -1;
    };
    // Skin bindings and morph offsets live in the modifiers; the rest of their description is
    // the document's.
    for (size_t m = 0; m < document.modifiers.size(); ++m) {
        doc::Modifier& modifier = document.modifiers[m];
        Modifier* live = scene.Modifiers()[m].modifier.get();
        if (auto* skin = dynamic_cast<SkinModifier*>(live)) {
            for (const auto& binding : skin->Vertices()) {
                if (!binding) {
                    modifier.skinVertices.emplace_back();
                    continue;
                }
                doc::SkinVertex vertex;
                for (INode* bone : binding->bones) {
                    vertex.bones.push_back(indexOf(bone));
                }
                vertex.weights = binding->weights;
                vertex.type = binding->type;
                modifier.skinVertices.emplace_back(std::move(vertex));
            }
        }
        if (auto* morph = dynamic_cast<MorphModifier*>(live)) {
            for (doc::MorphChannelData& channel : modifier.channels) {
                const MorphChannel& held = morph->GetChannel(channel.index);
                channel.points = held.points;
                channel.deltas = held.deltas;
            }
        }
        for (auto& [bone, initial] : modifier.boneInitialTransforms) {
            bone = remapIndex(bone);
        }
    }

    for (const SceneNode* node : order) {
        doc::Node out;
        out.id = node->id;
        out.name = node->Name();
        if (node->BaseObject() != nullptr) {
            const auto found = objectIndex.find(node->BaseObject());
            out.object = found == objectIndex.end() ? -1 : found->second;
        }
        for (Modifier* modifier : node->Modifiers()) {
            out.modifiers.push_back(modifierIndex.at(modifier));
        }
        auto* self = const_cast<SceneNode*>(node);
        if (Mtl* material = self->GetMtl()) {
            out.material = materialIndex.count(material) ? materialIndex.at(material) : -1;
        }
        out.hidden = node->Hidden();
        out.selected = node->IsSelected();
        out.transform = node->LocalTransform();
        const TransformController& tm = node->Transform();
        out.position = CaptureController<PositionController, doc::PositionKey>(
            tm.Position(), [](const PositionRecord& r, doc::PositionKey& k) {
                k.value = r.value;
                k.inTangent = r.inTangent;
                k.outTangent = r.outTangent;
            });
        out.rotation = CaptureController<RotationController, doc::RotationKey>(
            tm.Rotation(), [](const RotationRecord& r, doc::RotationKey& k) { k.value = r.value; });
        out.scale = CaptureController<ScaleController, doc::ScaleKey>(
            tm.Scale(), [](const ScaleRecord& r, doc::ScaleKey& k) { k.value = r.value.s; });
        for (const LinkEntry& entry : tm.Link().Targets()) {
            out.link.push_back({indexOf(entry.target), entry.time});
        }
        if (const FloatTrackController* visibility = node->VisibilityController()) {
            out.visibility = visibility->Track();
        } else {
            out.visibility = node->Visibility();
        }
        out.pivot = node->Pivot();
        out.selectedFaces = SelectedFaces(*node);
        for (const SceneNode* child : node->Children()) {
            out.children.push_back(indexOf(child));
        }
        document.nodes.push_back(std::move(out));
    }
    for (const SceneNode* child : scene.Root()->Children()) {
        document.rootNodes.push_back(indexOf(child));
    }
    NameSharedObjects(document);
    return document;
}

}  // namespace pellucid::standalone
