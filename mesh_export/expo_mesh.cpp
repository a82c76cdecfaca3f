#include "mesh_export/expo_mesh.h"

#include "host/text_stream.h"
#include "mesh_export/enum_mesh.h"
#include "mesh_export/script_writers.h"
#include "plugin/author_strings.h"

int ExpoMesh::ExtCount() {
    return 1;
}

const char* ExpoMesh::Ext(int n) {
    return n == 0 ? "MEF" : nullptr;
}

const char* ExpoMesh::LongDesc() {
    return "Vantrel 3DS MAX v1.2 Mesh Exporter File";
}

const char* ExpoMesh::ShortDesc() {
    return "Mesh Exporter File";
}

const char* ExpoMesh::AuthorName() {
    return kStudioAuthor;
}

const char* ExpoMesh::CopyrightMessage() {
    return kStudioCopyright;
}

const char* ExpoMesh::OtherMessage1() {
    return "";
}

const char* ExpoMesh::OtherMessage2() {
    return "";
}

unsigned int ExpoMesh::Version() {
    return 50;
}

void ExpoMesh::ShowAbout(HWND) {}

BOOL ExpoMesh::SupportsOptions(int, DWORD) {
    return FALSE;
}

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
    floatOutputMode = 1;
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
