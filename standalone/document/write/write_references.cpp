// References: null, an id (or a node's unambiguous name), or the entry itself written in place.
#include "standalone/document/write/write_context.h"

namespace pellucid::standalone {

void SceneDocumentWriter::WriteEntryReference(std::vector<EntryPlan>& plans, int index,
                                              std::string_view kind, bool allowNull,
                                              void (SceneDocumentWriter::*writeEntry)(int)) {
    CheckIndex(index, plans.size(), kind, allowNull);
    if (index == -1) {
        json_.Null();
    } else if (const std::string& id = plans[static_cast<std::size_t>(index)].id; !id.empty()) {
        json_.String(id);
    } else {
        (this->*writeEntry)(index);
    }
}

void SceneDocumentWriter::WriteMaterialReference(int index) {
    WriteEntryReference(materials_, index, "material", true, &SceneDocumentWriter::WriteMaterial);
}

void SceneDocumentWriter::WriteMapReference(int index) {
    WriteEntryReference(maps_, index, "map", true, &SceneDocumentWriter::WriteMap);
}

void SceneDocumentWriter::WriteObjectReference(int index) {
    WriteEntryReference(objects_, index, "object", false, &SceneDocumentWriter::WriteObject);
}

void SceneDocumentWriter::WriteModifierReference(int index) {
    WriteEntryReference(modifiers_, index, "modifier", false, &SceneDocumentWriter::WriteModifier);
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
