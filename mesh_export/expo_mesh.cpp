#include "mesh_export/expo_mesh.h"

#include "host/text_stream.h"
#include "mesh_export/enum_mesh.h"
#include "resources/author_strings.h"

namespace {

constexpr ScriptExporterTexts kTexts = {"MEF",
                                        "Vantrel 3DS MAX v1.2 Mesh Exporter File",
                                        "Mesh Exporter File",
                                        kStudioAuthor,
                                        kStudioCopyright,
                                        50};

}  // namespace

ExpoMesh::ExpoMesh() : ScriptExporter(kTexts) {}

// Warnings are shown in every case: neither the quiet flag nor the options are read. The result
// is 1 whatever happens, also when the file cannot be opened (then nothing is written).
int ExpoMesh::DoExport(const char* name, ExpInterface* ei, Interface* ip, BOOL, DWORD) {
    if (name == nullptr) {
        return 1;
    }
    TextStream out(name);
    if (!out.good()) {
        return 1;
    }
    out.setFloatOutputMode(1);
    {
        EnumMesh_t worker(&out, 0, ip, name);
        if (ei != nullptr && ei->theScene != nullptr) {
            ei->theScene->EnumTree(&worker);
        }
        worker.OutputAttachList();
    }
    out.close();
    return 1;
}
