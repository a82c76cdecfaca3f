// Objects and modifiers of a document.
#include "objects/collbox.h"
#include "standalone/scene/build/scene_builder_parts.h"
#include "standalone/scene/modifiers/inert_modifier.h"
#include "standalone/scene/modifiers/morph_modifier.h"
#include "standalone/scene/modifiers/skin_modifier.h"
#include "standalone/scene/objects/helper_objects.h"
#include "standalone/scene/objects/library_classes.h"
#include "standalone/scene/objects/mesh_objects.h"
#include "standalone/scene/objects/primitive_objects.h"

namespace pellucid::standalone::build {

namespace {

std::unique_ptr<Object> MakeEditableMesh(doc::MeshData& data) {
    const size_t faces = data.faces.size();
    auto object = std::make_unique<EditableMesh>();
    Mesh& mesh = object->mesh;
    mesh.setNumFaces(static_cast<int>(faces));
    for (size_t f = 0; f < faces; ++f) {
        Face& face = mesh.faces[f];
        face.setVerts(data.faces[f][0], data.faces[f][1], data.faces[f][2]);
        face.setEdgeVisFlags(1, 1, 1);
        face.setSmGroup(data.smoothing.empty() ? 0 : data.smoothing[f]);
        face.setMatID(static_cast<MtlID>(data.materialIds.empty() ? 0 : data.materialIds[f]));
    }
    if (!data.uvFaces.empty()) {
        mesh.setNumTVFaces(static_cast<int>(faces));
        for (size_t f = 0; f < faces; ++f) {
            mesh.tvFace[f].setTVerts(data.uvFaces[f][0], data.uvFaces[f][1], data.uvFaces[f][2]);
        }
    }
    mesh.verts = std::move(data.vertices);
    mesh.tVerts = std::move(data.uvVertices);
    return object;
}

std::unique_ptr<Object> MakeCollBox(const doc::Object& source, const std::string& what) {
    std::unique_ptr<Object> object(CreateLibraryObject(kCollBoxClassID));
    auto* box = dynamic_cast<CollBox*>(object.get());
    if (box == nullptr) {
        Fail(what, "the library registers no CollBox class");
    }
    box->SetParams(source.width, source.height, source.length, source.widthSegments,
                   source.lengthSegments, source.heightSegments, source.mapping ? TRUE : FALSE);
    return object;
}

std::unique_ptr<Object> MakeObject(doc::Object& source, const std::string& what) {
    switch (source.type) {
        case doc::ObjectType::Mesh:
            return MakeEditableMesh(source.mesh);
        case doc::ObjectType::Sphere:
            return std::make_unique<SphereObject>(source.radius, source.segments);
        case doc::ObjectType::Box:
            return std::make_unique<BoxObject>(source.length, source.width, source.height);
        case doc::ObjectType::Bone:
            return std::make_unique<BoneObject>();
        case doc::ObjectType::Dummy:
            return std::make_unique<DummyObject>();
        case doc::ObjectType::Light:
            return std::make_unique<LightObject>();
        case doc::ObjectType::Camera:
            return std::make_unique<CameraObject>();
        case doc::ObjectType::Shape:
            return std::make_unique<ShapeObject>();
        case doc::ObjectType::CollBox:
            return MakeCollBox(source, what);
    }
    Fail(what, "has an unknown type");
}

// The bindings move into the modifier; a capture reads them back from it.
std::unique_ptr<Modifier> MakeSkin(doc::Modifier& source, const Made& made) {
    std::vector<std::optional<SkinBinding>> vertices;
    vertices.reserve(source.skinVertices.size());
    for (size_t v = 0; v < source.skinVertices.size(); ++v) {
        auto& given = source.skinVertices[v];
        if (!given) {
            vertices.emplace_back();
            continue;
        }
        SkinBinding binding;
        binding.type = given->type;
        for (int bone : given->bones) {
            binding.bones.push_back(made.nodes[static_cast<size_t>(bone)]);
        }
        // A binding without weights weighs its bones equally.
        const float missing = given->weights.empty() ? 1.0f : 0.0f;
        binding.weights = std::move(given->weights);
        binding.weights.resize(binding.bones.size(), missing);
        vertices.emplace_back(std::move(binding));
    }
    std::vector<std::optional<doc::SkinVertex>>().swap(source.skinVertices);
    return std::make_unique<SkinModifier>(std::move(vertices), source.exportInterface,
                                          source.context);
}

// The points and offsets move into the modifier; a capture reads them back from it.
std::unique_ptr<Modifier> MakeMorph(doc::Modifier& source) {
    auto morph = std::make_unique<MorphModifier>();
    for (doc::MorphChannelData& data : source.channels) {
        MorphChannel channel;
        channel.name = data.name.c_str();
        channel.hasData = data.hasData;
        channel.enabled = data.enabled;
        channel.points = std::move(data.points);
        channel.deltas = std::move(data.deltas);
        data.points.clear();
        data.deltas.clear();
        morph->SetChannel(data.index, std::move(channel), data.weight);
    }
    return morph;
}

std::unique_ptr<Modifier> MakeLibraryModifier(Class_ID id, const char* name,
                                              const std::string& what) {
    std::unique_ptr<Modifier> modifier(CreateLibraryModifier(id));
    if (!modifier) {
        Fail(what, std::string("the library registers no ") + name + " class");
    }
    return modifier;
}

}  // namespace

void BuildObjects(doc::Document& document, Scene& scene, Made& made) {
    for (size_t i = 0; i < document.objects.size(); ++i) {
        doc::Object& source = document.objects[i];
        const std::string what = ItemLabel("object", static_cast<int>(i), source.id);
        ObjectEntry entry;
        entry.object = MakeObject(source, what);
        entry.id = source.id;
        entry.type = source.type;
        entry.uvHasW = source.mesh.uvHasW;
        made.objects.push_back(scene.AddObject(std::move(entry)));
    }
}

void BuildModifiers(doc::Document& document, Scene& scene, Made& made) {
    made.firstModifier = scene.Modifiers().size();
    for (size_t i = 0; i < document.modifiers.size(); ++i) {
        doc::Modifier& source = document.modifiers[i];
        const std::string what = ItemLabel("modifier", static_cast<int>(i), source.id);
        std::unique_ptr<Modifier> modifier;
        switch (source.type) {
            case doc::ModifierType::Physique:
                modifier = MakeSkin(source, made);
                break;
            case doc::ModifierType::Morpher:
                modifier = MakeMorph(source);
                break;
            case doc::ModifierType::GameInfluence:
                modifier = MakeLibraryModifier(kGameInfluenceClassID, "GameInfluence", what);
                break;
            case doc::ModifierType::ZUTMorph:
                modifier = MakeLibraryModifier(kZUTMorphClassID, "ZUTMorph", what);
                break;
            case doc::ModifierType::Inert:
                modifier = std::make_unique<InertModifier>(source.name);
                break;
        }
        made.modifiers.push_back(scene.AddModifier({std::move(modifier), std::move(source)}));
    }
}

void BindSkins(const doc::Document& document, Scene& scene, const Made& made) {
    for (size_t n = 0; n < document.nodes.size(); ++n) {
        for (int m : document.nodes[n].modifiers) {
            auto* skin = dynamic_cast<SkinModifier*>(made.modifiers[static_cast<size_t>(m)]);
            if (skin == nullptr) {
                continue;
            }
            const doc::Modifier& source =
                scene.Modifiers()[made.firstModifier + static_cast<size_t>(m)].source;
            SceneNode* node = made.nodes[n];
            skin->AddSkinNode(node, source.skinInitialTransform ? *source.skinInitialTransform
                                                                : node->GetObjectTM(0));
        }
    }
    for (size_t m = 0; m < made.modifiers.size(); ++m) {
        auto* skin = dynamic_cast<SkinModifier*>(made.modifiers[m]);
        if (skin == nullptr) {
            continue;
        }
        const doc::Modifier& source = scene.Modifiers()[made.firstModifier + m].source;
        for (const auto& [bone, initial] : source.boneInitialTransforms) {
            skin->SetBoneInitial(made.nodes[static_cast<size_t>(bone)], initial);
        }
        for (const auto& binding : skin->Vertices()) {
            for (size_t k = 0; binding && k < binding->bones.size(); ++k) {
                INode* bone = binding->bones[k];
                if (!skin->HasBoneInitial(bone)) {
                    skin->SetBoneInitial(bone, bone->GetNodeTM(0));
                }
            }
        }
    }
}

}  // namespace pellucid::standalone::build
