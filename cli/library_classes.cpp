#include "cli/library_classes.h"

#include <cctype>

#include "plugin/library.h"

namespace pellucid::cli {

namespace {

bool SameExtension(const char* ext, std::string_view wanted) {
    if (ext == nullptr || std::string_view(ext).size() != wanted.size()) {
        return false;
    }
    for (size_t i = 0; i < wanted.size(); ++i) {
        if (std::toupper(static_cast<unsigned char>(ext[i])) !=
            std::toupper(static_cast<unsigned char>(wanted[i]))) {
            return false;
        }
    }
    return true;
}

// Walks the registry for a class of `superClass` whose instance lists `ext`, as a host does when
// the user picks a file type.
template <typename Plugin>
std::unique_ptr<Plugin> CreateForExtension(SClass_ID superClass, std::string_view ext) {
    const int count = LibNumberClasses();
    for (int i = 0; i < count; ++i) {
        ClassDesc* desc = LibClassDesc(i);
        if (desc == nullptr || desc->SuperClassID() != superClass) {
            continue;
        }
        std::unique_ptr<Plugin> instance(static_cast<Plugin*>(desc->Create()));
        for (int e = 0; instance && e < instance->ExtCount(); ++e) {
            if (SameExtension(instance->Ext(e), ext)) {
                return instance;
            }
        }
    }
    return nullptr;
}

}  // namespace

std::unique_ptr<SceneExport> CreateSceneExporter(std::string_view ext) {
    return CreateForExtension<SceneExport>(SCENE_EXPORT_CLASS_ID, ext);
}

std::unique_ptr<SceneImport> CreateSceneImporter(std::string_view ext) {
    return CreateForExtension<SceneImport>(SCENE_IMPORT_CLASS_ID, ext);
}

}  // namespace pellucid::cli
