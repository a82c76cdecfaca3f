// The skeleton block: one Bone( line per bone and the hierarchy call.
#include "bone_export/enum_bone.h"
#include "mesh_export/script_writers.h"

void EnumBone_t::OutputBones() {
    for (int i = 0; i < tree->boneCount; ++i) {
        const Bone_t& bone = tree->bones[static_cast<size_t>(i)];
        Point3 position;
        tree->GetBonePosition(position, i, 0);
        // Under a mirrored parent the engine sees the offset through the parent's mirroring.
        const int sign = bone.parent >= 0 ? tree->bones[static_cast<size_t>(bone.parent)].sign : 1;
        position *= static_cast<float>(sign);
        const char* name = bone.node->GetName();
        *out << "Bone(" << i << ",\"" << (name ? name : "") << "\"," << bone.parent << ",";
        WritePoint(*out, position);
        *out << ");" << endl;
    }
}

void EnumBone_t::OutputHierarchy() {
    OutputBones();
    *out << "BuildHierarchy();\n";
}
