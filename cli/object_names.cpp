#include "cli/object_names.h"

#include <fmt/format.h>

#include "objects/collbox.h"

namespace pellucid::cli {

namespace {

struct KnownClass {
    Class_ID id;
    const char* name;
};

template <size_t N>
std::string NameIn(const KnownClass (&known)[N], const Class_ID& id) {
    for (const KnownClass& entry : known) {
        if (entry.id == id) {
            return entry.name;
        }
    }
    return fmt::format("class ({:#x}, {:#x})", id.PartA(), id.PartB());
}

}  // namespace

std::string ObjectClassName(const Class_ID& id) {
    static const KnownClass kKnown[] = {
        {triObjectClassID, "editable mesh"},
        {sphereClassID, "sphere"},
        {boxObjectClassID, "box"},
        {boneObjClassID, "bone"},
        {dummyClassID, "dummy"},
        {derivObjClassID, "derived object"},
        {omniLightClassID, "light"},
        {simpleCameraClassID, "camera"},
        {splineShapeClassID, "shape"},
        {patchObjectClassID, "editable patch"},
        {COLLBOX_CLASS_ID, "CollBox"},
    };
    return NameIn(kKnown, id);
}

std::string ControllerClassName(const Class_ID& id) {
    static const KnownClass kKnown[] = {
        {bezierPositionClassID, "Bezier position"}, {linearPositionClassID, "linear position"},
        {tcbPositionClassID, "TCB position"},       {tcbRotationClassID, "TCB rotation"},
        {linearRotationClassID, "linear rotation"}, {bezierRotationClassID, "Bezier rotation"},
    };
    return NameIn(kKnown, id);
}

std::string ObjectClassName(Object* object) {
    return object != nullptr ? ObjectClassName(object->ClassID()) : "no object";
}

}  // namespace pellucid::cli
