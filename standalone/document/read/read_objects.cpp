// Objects: editable meshes, primitives, helpers and the library's collision box, read by their
// table (document_fields.h).
#include "standalone/document/read/read_described.h"

namespace pellucid::standalone {

doc::Object SceneDocumentReader::ReadObject(JsonElement value, const JsonPath& path, bool shared) {
    doc::Object object;
    ReadTypedEntry(*this, value, path, shared, "object", kObjectTypeNames, object);
    return object;
}

}  // namespace pellucid::standalone
