#include "exchange/zut_exporter.h"

#include "exchange/zut_node_writer.h"
#include "resources/author_strings.h"

namespace {

const FileClassAnswers kAnswers = {
    "ZUT", "Exports mesh in ZUT format", "Exports ZUT file", kExchangeAuthor, kExchangeCopyright, 1,
    true};

}  // namespace

ZUTExporter::ZUTExporter() : FileClass(kAnswers) {}

int ZUTExporter::DoExport(const char* name, ExpInterface* ei, Interface* ip, BOOL, DWORD) {
    TextStream out;
    if (name == nullptr || !out.open(name)) {
        return TRUE;
    }
    out.setFloatOutputMode(1);
    ZUTNodeWriter writer(out, ip);
    if (ei != nullptr && ei->theScene != nullptr) {
        ei->theScene->EnumTree(&writer);
    }
    out.close();
    return TRUE;
}
