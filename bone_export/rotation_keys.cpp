// Rotation keys: per bone, the rotation at each key time (and at time 0) with its spline controls.
#include "bone_export/enum_bone.h"
#include "bone_export/key_times.h"
#include "host/decomp.h"
#include "mesh_export/script_writers.h"

namespace {

// The rest entry at time 0 stands for the bone's pose where no key says otherwise.
constexpr int kRestEntry = -1;

// The section's entries: key indices in key order, with exactly one entry at time 0 (a key there,
// or the rest entry before the first key after 0).
std::vector<int> ValidKeyTable(const std::vector<TimeValue>& keyTimes) {
    std::vector<int> entries;
    entries.reserve(keyTimes.size() + 1);
    bool restPlaced = false;
    for (size_t i = 0; i < keyTimes.size(); ++i) {
        const TimeValue time = keyTimes[i];
        if (time == 0) {
            restPlaced = true;
        } else if (time > 0 && !restPlaced) {
            entries.push_back(kRestEntry);
            restPlaced = true;
        }
        entries.push_back(static_cast<int>(i));
    }
    if (!restPlaced) {
        entries.push_back(kRestEntry);
    }
    return entries;
}

}  // namespace

void EnumBone_t::OutputRotationKeys() {
    std::vector<TimeValue> times;
    std::vector<Quat> rotations;
    for (int b = 0; b < tree->boneCount; ++b) {
        INode* node = tree->bones[static_cast<size_t>(b)].node;
        const std::vector<TimeValue> keyTimes = ControllerKeyTimes(NodeRotationController(node));
        const std::vector<int> entries = ValidKeyTable(keyTimes);
        if (entries.size() > static_cast<size_t>(MAX_ROTATION_ENTRIES)) {
            MessageBoxA(host->GetMAXHWnd(), "Valid key table full.", "Error", MB_OK);
            return;
        }
        const int m = static_cast<int>(entries.size());
        *out << "RotationKeyFrameInit(" << b << "," << m << ");" << endl;

        times.assign(entries.size(), 0);
        rotations.assign(entries.size(), Quat());
        for (size_t e = 0; e < entries.size(); ++e) {
            if (entries[e] != kRestEntry) {
                times[e] = keyTimes[static_cast<size_t>(entries[e])];
            }
            GetBoneRotation(rotations[e], times[e], b);
        }
        for (int e = 0; e < m; ++e) {
            WriteRotationKey(b, e, entries[static_cast<size_t>(e)] != kRestEntry, rotations, times,
                             m);
        }
    }
}

void EnumBone_t::GetBoneRotation(Quat& rotation, TimeValue time, int boneIndex) {
    const Bone_t& bone = tree->bones[static_cast<size_t>(boneIndex)];
    Matrix3 transform = bone.node->GetNodeTM(time);
    if (boneIndex != 0 && bone.parent >= 0) {
        transform = transform *
                    Inverse(tree->bones[static_cast<size_t>(bone.parent)].node->GetNodeTM(time));
    }
    AffineParts parts;
    decomp_affine(transform, &parts);
    rotation = parts.q;
}

void EnumBone_t::WriteRotationKey(int bone, int e, bool hasKey, const std::vector<Quat>& rotations,
                                  const std::vector<TimeValue>& times, int m) {
    const auto entry = static_cast<size_t>(e);
    Quat a = rotations[entry];
    Quat b = rotations[entry];
    float easeIn = 0.0f;
    float easeOut = 0.0f;
    if (hasKey) {
        ComputeTCBControls(a, b, rotations, times, e, m);
        float tension, continuity, bias;
        GetTCBDefaultParams(tension, continuity, bias, easeIn, easeOut);
    }
    *out << "RotationKeyFrameData(" << bone << "," << e << "," << times[entry] << ",";
    WriteQuat(*out, rotations[entry]);
    *out << ",";
    WriteQuat(*out, a);
    *out << ",";
    WriteQuat(*out, b);
    *out << "," << easeIn << "," << easeOut << ");" << endl;
}
