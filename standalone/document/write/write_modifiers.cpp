// Modifiers: the skin's vertices and initial transforms, morph channels, and the plain ones.
#include <fmt/format.h>

#include "standalone/document/type_names.h"
#include "standalone/document/write/write_context.h"

namespace pellucid::standalone {

void SceneDocumentWriter::WriteModifier(int index) {
    const doc::Modifier& modifier = document_.modifiers[static_cast<std::size_t>(index)];
    WriteEntry(modifiers_, index, "modifier", [&] {
        json_.Key("type");
        json_.String(NameOf(kModifierTypeNames, modifier.type));
        switch (modifier.type) {
            case doc::ModifierType::Physique:
                WritePhysique(modifier);
                break;
            case doc::ModifierType::Morpher:
                json_.Key("channels");
                json_.BeginArray();
                for (const doc::MorphChannelData& channel : modifier.channels) {
                    WriteMorphChannel(channel);
                }
                json_.EndArray();
                break;
            case doc::ModifierType::Inert:
                json_.Key("name");
                json_.String(modifier.name);
                break;
            default:
                break;
        }
    });
}

void SceneDocumentWriter::WritePhysique(const doc::Modifier& modifier) {
    json_.Key("vertices");
    json_.BeginArray();
    for (const std::optional<doc::SkinVertex>& vertex : modifier.skinVertices) {
        if (!vertex) {
            json_.Null();
            continue;
        }
        json_.BeginObject();
        json_.Key("bones");
        json_.BeginInlineArray();
        for (int bone : vertex->bones) {
            CheckIndex(bone, document_.nodes.size(), "node", false);
            json_.String(NodeReference(bone));
        }
        json_.EndInlineArray();
        json_.Key("weights");
        json_.Floats(vertex->weights);
        json_.Key("type");
        json_.Int(vertex->type);
        json_.EndObject();
    }
    json_.EndArray();
    if (modifier.skinInitialTransform) {
        json_.Key("skinInitialTransform");
        doc::Transform transform;
        transform.matrix = *modifier.skinInitialTransform;
        WriteTransform(transform);
    }
    if (!modifier.boneInitialTransforms.empty()) {
        json_.Key("boneInitialTransforms");
        json_.BeginObject();
        for (const auto& [bone, matrix] : modifier.boneInitialTransforms) {
            CheckIndex(bone, document_.nodes.size(), "node", false);
            json_.Key(NodeReference(bone));
            doc::Transform transform;
            transform.matrix = matrix;
            WriteTransform(transform);
        }
        json_.EndObject();
    }
    if (!modifier.exportInterface) {
        json_.Key("exportInterface");
        json_.Bool(false);
    }
    if (!modifier.context) {
        json_.Key("context");
        json_.Bool(false);
    }
}

void SceneDocumentWriter::WriteMorphChannel(const doc::MorphChannelData& channel) {
    json_.BeginObject();
    json_.Key("index");
    json_.Int(channel.index);
    if (!channel.name.empty()) {
        json_.Key("name");
        json_.String(channel.name);
    }
    json_.Key("flags");
    json_.BeginInlineArray();
    json_.Int(channel.hasData);
    json_.Int(channel.enabled);
    json_.EndInlineArray();
    json_.Key("points");
    json_.BeginInlineArray();
    for (int point : channel.points) {
        json_.Int(point);
    }
    json_.EndInlineArray();
    json_.Key("deltas");
    json_.BeginArray();
    for (const Point3& delta : channel.deltas) {
        json_.Point(delta);
    }
    json_.EndArray();
    json_.Key("weight");
    WriteFloatTrack(channel.weight);
    json_.EndObject();
}

}  // namespace pellucid::standalone
