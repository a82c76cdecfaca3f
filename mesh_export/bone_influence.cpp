#include <algorithm>

#include "mesh_export/enum_mesh.h"
#include "mesh_export/script_writers.h"
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
    for (size_t b = 0; b < boneCount; ++b) {
        for (const VertexWeight_t& weight : boneTree->bones[b].weights) {
            *out << "VertexInfluenceRigid(" << static_cast<int>(b) << "," << weight.vertex << ",";
            WritePoint(*out, weight.offset);
            *out << "," << weight.weight << ");" << endl;
        }
    }
}
