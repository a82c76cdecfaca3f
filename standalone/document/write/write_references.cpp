// References: null, an id (or a node's unambiguous name), or the entry itself written in place.
#include "standalone/document/write/write_context.h"

namespace pellucid::standalone {

void SceneDocumentWriter::WriteMaterialReference(int index) {
    CheckIndex(index, materials_.size(), "material", true);
    if (index == -1) {
        json_.Null();
    } else if (materials_[static_cast<std::size_t>(index)].id.empty()) {
        WriteMaterial(index);
    } else {
        json_.String(materials_[static_cast<std::size_t>(index)].id);
    }
}

void SceneDocumentWriter::WriteMapReference(int index) {
    CheckIndex(index, maps_.size(), "map", true);
    if (index == -1) {
        json_.Null();
    } else if (maps_[static_cast<std::size_t>(index)].id.empty()) {
        WriteMap(index);
    } else {
        json_.String(maps_[static_cast<std::size_t>(index)].id);
    }
}

void SceneDocumentWriter::WriteObjectReference(int index) {
    CheckIndex(index, objects_.size(), "object", false);
    if (objects_[static_cast<std::size_t>(index)].id.empty()) {
        WriteObject(index);
    } else {
        json_.String(objects_[static_cast<std::size_t>(index)].id);
    }
}

void SceneDocumentWriter::WriteModifierReference(int index) {
    CheckIndex(index, modifiers_.size(), "modifier", false);
    if (modifiers_[static_cast<std::size_t>(index)].id.empty()) {
        WriteModifier(index);
    } else {
        json_.String(modifiers_[static_cast<std::size_t>(index)].id);
    }
}

void SceneDocumentWriter::WriteNodeReference(int index) {
    CheckIndex(index, document_.nodes.size(), "node", true);
    if (index == -1) {
        json_.Null();
    } else {
        json_.String(NodeReference(index));
    }
}

const std::string& SceneDocumentWriter::NodeReference(int index) const {
    return nodeReferences_[static_cast<std::size_t>(index)];
}

}  // namespace pellucid::standalone
