// Objects: by their table (document_fields.h), each with the fields its type takes; mesh arrays
// one element per line.
#include "standalone/document/write/write_described.h"

namespace pellucid::standalone {

void SceneDocumentWriter::WriteObject(int index) {
    const doc::Object& object = document_.objects[static_cast<std::size_t>(index)];
    WriteEntry(objects_, index, "object",
               [&] { WriteFieldTuple(object, kFieldsOf<doc::Object>, TypeBit(object.type)); });
}

}  // namespace pellucid::standalone
