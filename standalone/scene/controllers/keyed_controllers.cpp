#include "standalone/scene/controllers/keyed_controllers.h"

namespace pellucid::standalone {

namespace {

// The value of the key before the span, or of the only key that bounds it.
template <typename Record>
const Record* HeldKey(const std::vector<Record>& keys, const KeySpan& span) {
    if (span.before >= 0 && (span.after < 0 || span.u <= 0.0)) {
        return &keys[static_cast<size_t>(span.before)];
    }
    if (span.before < 0) {
        return &keys[static_cast<size_t>(span.after)];
    }
    return nullptr;
}

// Between keys a and b: along the Hermite curve of their tangents for Bezier keys, else along
// the straight line from `from` to `to`.
template <typename Record>
Point3 Between(doc::ControllerKind kind, const Point3& from, const Record& a, const Point3& to,
               const Record& b, const KeySpan& span) {
    if (kind == doc::ControllerKind::Bezier) {
        const float dt = static_cast<float>(span.dt);
        return Hermite(from, a.outTangent * dt, to, -b.inTangent * dt, span.u);
    }
    return Lerp(from, to, span.u);
}

}  // namespace

// Positions.

Point3 PositionChannel::Evaluate(doc::ControllerKind kind, const std::vector<Record>& keys,
                                 const KeySpan& span) {
    if (const Record* held = HeldKey(keys, span)) {
        return held->value;
    }
    const Record& a = keys[static_cast<size_t>(span.before)];
    const Record& b = keys[static_cast<size_t>(span.after)];
    return Between(kind, a.value, a, b.value, b, span);
}

// Rotations.

Quat RotationChannel::Evaluate(doc::ControllerKind, const std::vector<Record>& keys,
                               const KeySpan& span) {
    if (const Record* held = HeldKey(keys, span)) {
        return held->value;
    }
    return Slerp(keys[static_cast<size_t>(span.before)].value,
                 keys[static_cast<size_t>(span.after)].value, span.u);
}

// Scales.

ScaleValue ScaleChannel::Evaluate(doc::ControllerKind kind, const std::vector<Record>& keys,
                                  const KeySpan& span) {
    if (const Record* held = HeldKey(keys, span)) {
        return held->value;
    }
    const Record& a = keys[static_cast<size_t>(span.before)];
    const Record& b = keys[static_cast<size_t>(span.after)];
    ScaleValue result;
    result.s = Between(kind, a.value.s, a, b.value.s, b, span);
    result.q = a.value.q == b.value.q ? a.value.q : Slerp(a.value.q, b.value.q, span.u);
    return result;
}

}  // namespace pellucid::standalone
