// The bone script's header line and the cyclic flag that the key sections share.
#include <cstdint>

#include "bone_export/enum_bone.h"
#include "bone_export/key_times.h"
#include "mesh_export/script_writers.h"

void EnumBone_t::OutputAnimInit() {
    const Interval range = host->GetAnimRange();
    // Extreme ranges wrap around rather than overflow.
    const std::int64_t start = range.Start();
    const std::int64_t end = range.End();
    rangeStart = range.Start();
    rangeEnd = static_cast<int>(static_cast<std::uint32_t>(end + 1));
    rangeLength = static_cast<int>(static_cast<std::uint32_t>(end - start + 1));
    cyclic = IsCyclic();
    *out << "AnimInit(\"Anim name\"," << tree->boneCount << "," << rangeLength << ","
         << (cyclic ? 1 : 0) << ");" << endl;
}

bool EnumBone_t::IsCyclic() {
    // A key past the end of the range shows an animation that runs on into its own start.
    const auto beyondRange = [this](Control* controller) {
        for (const TimeValue time : ControllerKeyTimes(controller)) {
            if (time > rangeLength - 1) {
                return true;
            }
        }
        return false;
    };
    bool any = false;
    for (int b = 0; b < tree->boneCount; ++b) {
        any = beyondRange(NodeRotationController(tree->bones[static_cast<size_t>(b)].node)) || any;
    }
    for (int b = 0; b < tree->boneCount; ++b) {
        any = beyondRange(NodePositionController(tree->bones[static_cast<size_t>(b)].node)) || any;
    }
    return any && host->GetLoopOption() != FALSE;
}
