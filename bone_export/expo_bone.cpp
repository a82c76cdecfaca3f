#include "bone_export/expo_bone.h"

#include "bone_export/enum_bone.h"
#include "host/text_stream.h"
#include "mesh_export/script_writers.h"
#include "plugin/author_strings.h"

int ExpoBone::ExtCount() {
    return 1;
}

const char* ExpoBone::Ext(int n) {
    return n == 0 ? "BEF" : nullptr;
}

const char* ExpoBone::LongDesc() {
    return "Vantrel 3DS MAX v1.2 Bone Exporter File";
}

const char* ExpoBone::ShortDesc() {
    return "Bone Exporter File";
}

const char* ExpoBone::AuthorName() {
    return kStudioAuthor;
}

const char* ExpoBone::CopyrightMessage() {
    return kStudioCopyright;
}

const char* ExpoBone::OtherMessage1() {
    return "";
}

const char* ExpoBone::OtherMessage2() {
    return "";
}

unsigned int ExpoBone::Version() {
    return 50;
}

void ExpoBone::ShowAbout(HWND hWnd) {}

BOOL ExpoBone::SupportsOptions(int ext, DWORD options) {
    return FALSE;
}

int ExpoBone::DoExport(const char* name, ExpInterface* ei, Interface* ip, BOOL suppressPrompts,
                       DWORD options) {
    TextStream out;
    if (name == nullptr || !out.open(name)) {
        return 1;
    }
    if (ip == nullptr) {
        return 1;  // no scene to read: the file stays empty
    }
    floatOutputMode = 1;
    const TimeValue savedTime = ip->GetTime();
    ip->SetTime(0, TRUE);
    out.setFloatFormat(TextStream::FloatFormat::Scientific17);
    {
        EnumBone_t worker(&out, &out, name, ip);
        if (ei != nullptr && ei->theScene != nullptr) {
            ei->theScene->EnumTree(&worker);
        }
        worker.BuildTree();
        worker.Run();
        ip->SetTime(savedTime, TRUE);
    }
    out.close();
    return 1;
}
