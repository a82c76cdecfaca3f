#include "cli/object_names.h"

#include <fmt/format.h>

namespace pellucid::cli {

std::string ObjectClassName(const Class_ID& id) {
    struct Known {
        Class_ID id;
        const char* name;
    };
    static const Known kKnown[] = {
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
        {Class_ID(0x576809a3, 0x3f972dbe), "CollBox"},
    };
    for (const Known& known : kKnown) {
        if (known.id == id) {
            return known.name;
        }
    }
    return fmt::format("class ({:#x}, {:#x})", id.PartA(), id.PartB());
}

std::string ControllerClassName(const Class_ID& id) {
    struct Known {
        Class_ID id;
        const char* name;
    };
    static const Known kKnown[] = {
        {bezierPositionClassID, "Bezier position"}, {linearPositionClassID, "linear position"},
        {tcbPositionClassID, "TCB position"},       {tcbRotationClassID, "TCB rotation"},
        {linearRotationClassID, "linear rotation"}, {bezierRotationClassID, "Bezier rotation"},
    };
    for (const Known& known : kKnown) {
        if (known.id == id) {
            return known.name;
        }
    }
    return fmt::format("class ({:#x}, {:#x})", id.PartA(), id.PartB());
}

std::string ObjectClassName(Object* object) {
    return object != nullptr ? ObjectClassName(object->ClassID()) : "no object";
}

}  // namespace pellucid::cli
