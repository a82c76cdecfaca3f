// Rotation keys: per bone, the rotation at each key time (and at time 0) with the control
// quaternions of Kochanek-Bartels spline interpolation through them.
#include <cmath>
#include <cstdint>
#include <optional>

#include "bone_export/enum_bone.h"
#include "bone_export/key_times.h"
#include "host/decomp.h"
#include "script/script_writers.h"

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

Quat Scaled(const Quat& q, float f) {
    return Quat(q.x * f, q.y * f, q.z * f, q.w * f);
}

Quat Sum(const Quat& a, const Quat& b) {
    return Quat(a.x + b.x, a.y + b.y, a.z + b.z, a.w + b.w);
}

// A neighbour on the far hemisphere is taken on the near one, so that the spline turns the short
// way.
Quat NearSide(const Quat& neighbour, const Quat& q) {
    return QuatDot(neighbour, q) < 0.0f ? -neighbour : neighbour;
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
        for (size_t e = 0; e < entries.size(); ++e) {
            if (entries[e] != kRestEntry) {
                times[e] = keyTimes[static_cast<size_t>(entries[e])];
            }
        }
        GetBoneRotations(rotations, times, b);
        for (int e = 0; e < m; ++e) {
            WriteRotationKey(b, e, entries[static_cast<size_t>(e)] != kRestEntry, rotations, times,
                             m);
        }
    }
}

void EnumBone_t::GetBoneRotations(std::vector<Quat>& rotations, const std::vector<TimeValue>& times,
                                  int boneIndex) {
    const Bone_t& bone = tree->bones[static_cast<size_t>(boneIndex)];
    INode* parent = boneIndex != 0 && bone.parent >= 0
                        ? tree->bones[static_cast<size_t>(bone.parent)].node
                        : nullptr;
    std::vector<Matrix3> transforms(times.size());
    for (size_t e = 0; e < times.size(); ++e) {
        transforms[e] = bone.node->GetNodeTM(times[e]);
        if (parent != nullptr) {
            transforms[e] = transforms[e] * Inverse(parent->GetNodeTM(times[e]));
        }
    }
    std::vector<AffineParts> parts(times.size());
    decomp_affine_many(transforms, parts);
    rotations.resize(times.size());
    for (size_t e = 0; e < times.size(); ++e) {
        rotations[e] = parts[e].q;
    }
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

void EnumBone_t::ComputeTCBControls(Quat& a, Quat& b, const std::vector<Quat>& rotations,
                                    const std::vector<TimeValue>& times, int e, int m) {
    const auto at = [](const auto& list, int i) { return list[static_cast<size_t>(i)]; };
    const Quat q = at(rotations, e);
    const bool first = e == 0;
    const bool last = e == m - 1;
    if (m <= 1) {
        // A lone entry has nothing to bend towards.
        a = q;
        b = q;
        return;
    }

    std::optional<Quat> previous;
    std::optional<Quat> next;
    if (!first) {
        previous = at(rotations, e - 1);
    } else if (cyclic) {
        previous = at(rotations, m - 1);
    }
    if (!last) {
        next = at(rotations, e + 1);
    } else if (cyclic) {
        next = at(rotations, 0);
    }

    Quat lnP(0.0f, 0.0f, 0.0f, 0.0f);
    Quat lnN(0.0f, 0.0f, 0.0f, 0.0f);
    if (previous) {
        lnP = LnDif(NearSide(*previous, q), q);
    }
    if (next) {
        lnN = LnDif(q, NearSide(*next, q));
    }
    if (!previous) {
        lnP = lnN;
    }
    if (!next) {
        lnN = lnP;
    }

    float tension, continuity, bias, easeIn, easeOut;
    GetTCBDefaultParams(tension, continuity, bias, easeIn, easeOut);

    // Interval factors: how the neighbouring intervals compare, from whole tick differences.
    float fp = 1.0f;
    float fn = 1.0f;
    if (cyclic || (!first && !last)) {
        const std::int64_t length = rangeLength;
        const std::int64_t dP = first ? length + at(times, 0) - at(times, m - 1)
                                      : std::int64_t{at(times, e)} - at(times, e - 1);
        const std::int64_t dN = last ? length - at(times, m - 1) + at(times, 0)
                                     : std::int64_t{at(times, e + 1)} - at(times, e);
        const float average = static_cast<float>(dP + dN) / 2.0f;
        fp = static_cast<float>(dP) / average;
        fn = static_cast<float>(dN) / average;
        const float k = std::fabs(continuity);
        fp = fp + k - k * fp;
        fn = fn + k - k * fn;
    }

    const float tm = (1.0f - tension) / 2.0f;
    const float cm = 1.0f - continuity;
    const float cp = 2.0f - cm;
    const float bm = 1.0f - bias;
    const float bp = 2.0f - bm;
    const float ca = 1.0f - tm * cm * bp * fp;
    const float cb = -tm * cp * bm * fp;
    const float cc = tm * cp * bp * fn;
    const float cd = tm * cm * bm * fn - 1.0f;

    const Quat ra = Scaled(Sum(Scaled(lnP, cc), Scaled(lnN, cd)), 0.5f);
    const Quat rb = Scaled(Sum(Scaled(lnP, ca), Scaled(lnN, cb)), 0.5f);
    a = q * Exp(ra);
    b = q * Exp(rb);
}
