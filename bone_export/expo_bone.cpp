#include "bone_export/expo_bone.h"

#include "bone_export/enum_bone.h"
#include "host/text_stream.h"
#include "resources/author_strings.h"

namespace {

constexpr ScriptExporterTexts kTexts = {"BEF",
                                        "Vantrel 3DS MAX v1.2 Bone Exporter File",
                                        "Bone Exporter File",
                                        kStudioAuthor,
                                        kStudioCopyright,
                                        50};

}  // namespace

ExpoBone::ExpoBone() : ScriptExporter(kTexts) {}

int ExpoBone::DoExport(const char* name, ExpInterface* ei, Interface* ip, BOOL suppressPrompts,
                       DWORD options) {
    TextStream out;
    if (name == nullptr || !out.open(name)) {
        return 1;
    }
    if (ip == nullptr) {
        return 1;  // no scene to read: the file stays empty
    }
    out.setFloatOutputMode(1);
    const TimeValue savedTime = ip->GetTime();
    ip->SetTime(0, TRUE);
    out.setFloatFormat(FloatFormat::Scientific17);
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
