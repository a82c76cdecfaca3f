#include <algorithm>

#include "mesh_export/enum_mesh.h"
#include "mesh_export/script_line.h"
#include "plugin/debug_log.h"

// One line per weight record, bone by bone, so a blended vertex gets one line under each of its
// bones.
void EnumMesh_t::OutputBonesInfluence() {
    Trace("OutputBonesInfluence");
    if (boneTree == nullptr || boneTree->boneCount == 0) {
        return;
    }
    const size_t boneCount =
        std::min(boneTree->bones.size(), static_cast<size_t>(boneTree->boneCount));
    ScriptLine line(*out);
    for (size_t b = 0; b < boneCount; ++b) {
        for (const VertexWeight_t& weight : boneTree->bones[b].weights) {
            line.Start("VertexInfluenceRigid(").Int(static_cast<long long>(b)).Int(weight.vertex);
            line.Point(weight.offset).Float(weight.weight).End();
        }
    }
}
