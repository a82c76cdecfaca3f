#include "standalone/scene/objects/library_classes.h"

#include "plugin/library.h"

namespace pellucid::standalone {

namespace {

ClassDesc* FindDescriptor(Class_ID id, SClass_ID superClass) {
    for (int i = 0; i < LibNumberClasses(); ++i) {
        ClassDesc* desc = LibClassDesc(i);
        if (desc != nullptr && desc->ClassID() == id && desc->SuperClassID() == superClass) {
            return desc;
        }
    }
    return nullptr;
}

}  // namespace

// The registry's Create gives the new instance as an untyped pointer to the class itself, whose
// first base is the host class it is made from.
Object* CreateLibraryObject(Class_ID id) {
    for (SClass_ID superClass : {HELPER_CLASS_ID, GEOMOBJECT_CLASS_ID}) {
        if (ClassDesc* desc = FindDescriptor(id, superClass)) {
            return static_cast<Object*>(desc->Create(FALSE));
        }
    }
    return nullptr;
}

Modifier* CreateLibraryModifier(Class_ID id) {
    ClassDesc* desc = FindDescriptor(id, OSM_CLASS_ID);
    return desc != nullptr ? static_cast<Modifier*>(desc->Create(FALSE)) : nullptr;
}

}  // namespace pellucid::standalone
