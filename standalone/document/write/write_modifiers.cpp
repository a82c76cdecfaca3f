// Modifiers: by their table (document_fields.h), each with the fields its type takes; the skin's
// vertices and initial transforms name their bones by node reference.
#include "standalone/document/write/write_described.h"

namespace pellucid::standalone {

void SceneDocumentWriter::WriteModifier(int index) {
    const doc::Modifier& modifier = document_.modifiers[static_cast<std::size_t>(index)];
    WriteEntry(modifiers_, index, "modifier", [&] {
        WriteFieldTuple(modifier, kFieldsOf<doc::Modifier>, TypeBit(modifier.type));
    });
}

void SceneDocumentWriter::WriteSkinVertices(
    const std::vector<std::optional<doc::SkinVertex>>& vertices) {
    json_.BeginArray();
    for (const std::optional<doc::SkinVertex>& vertex : vertices) {
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
}

void SceneDocumentWriter::WriteBoneInitialTransforms(
    const std::vector<std::pair<int, Matrix3>>& transforms) {
    json_.BeginObject();
    for (const auto& [bone, matrix] : transforms) {
        CheckIndex(bone, document_.nodes.size(), "node", false);
        json_.Key(NodeReference(bone));
        doc::Transform transform;
        transform.matrix = matrix;
        WriteTransform(transform);
    }
    json_.EndObject();
}

}  // namespace pellucid::standalone
