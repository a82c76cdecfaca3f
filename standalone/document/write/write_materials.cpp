// Materials: by their table (document_fields.h), each with the fields its type takes.
#include "standalone/document/write/write_described.h"

namespace pellucid::standalone {

void SceneDocumentWriter::WriteMaterial(int index) {
    const doc::Material& material = document_.materials[static_cast<std::size_t>(index)];
    WriteEntry(materials_, index, "material", [&] {
        WriteFieldTuple(material, kFieldsOf<doc::Material>, TypeBit(material.type));
    });
}

}  // namespace pellucid::standalone
