// Control quaternions of the rotation entries for Kochanek-Bartels spline interpolation.
#include <cmath>
#include <cstdint>
#include <optional>

#include "bone_export/enum_bone.h"

namespace {

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
