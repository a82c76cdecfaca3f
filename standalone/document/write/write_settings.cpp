// Settings: only those that differ from the defaults are written, and none when all are.
#include "standalone/document/write/write_described.h"

namespace pellucid::standalone {

void SceneDocumentWriter::WriteSettings() {
    if (AllFieldsDefault(document_.settings)) {
        return;
    }
    json_.Key("settings");
    WriteDescribed(document_.settings);
}

}  // namespace pellucid::standalone
