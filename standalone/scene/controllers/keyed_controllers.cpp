#include "standalone/scene/controllers/keyed_controllers.h"

namespace pellucid::standalone {

namespace {

void FillTcb(const TcbParams& tcb, ITCBKey* key) {
    key->tens = tcb.tension;
    key->cont = tcb.continuity;
    key->bias = tcb.bias;
    key->easeIn = tcb.easeIn;
    key->easeOut = tcb.easeOut;
}

void TakeTcb(const ITCBKey* key, TcbParams& tcb) {
    tcb.tension = key->tens;
    tcb.continuity = key->cont;
    tcb.bias = key->bias;
    tcb.easeIn = key->easeIn;
    tcb.easeOut = key->easeOut;
}

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

}  // namespace

// Positions.

Class_ID PositionChannel::ClassFor(doc::ControllerKind kind) {
    switch (kind) {
        case doc::ControllerKind::Bezier:
            return bezierPositionClassID;
        case doc::ControllerKind::Linear:
            return linearPositionClassID;
        case doc::ControllerKind::Tcb:
            return tcbPositionClassID;
        case doc::ControllerKind::Procedural:
            break;
    }
    return proceduralPositionClassID;
}

void PositionChannel::Fill(const Record& record, IKey* key) {
    key->time = record.time;
    key->flags = record.flags;
    if (auto* bez = dynamic_cast<IBezPoint3Key*>(key)) {
        bez->val = record.value;
        bez->intan = record.inTangent;
        bez->outtan = record.outTangent;
    } else if (auto* lin = dynamic_cast<ILinPoint3Key*>(key)) {
        lin->val = record.value;
    } else if (auto* tcb = dynamic_cast<ITCBPoint3Key*>(key)) {
        tcb->val = record.value;
        FillTcb(record.tcb, tcb);
    }
}

void PositionChannel::Take(IKey* key, Record& record) {
    record.time = key->time;
    record.flags = key->flags;
    if (auto* bez = dynamic_cast<IBezPoint3Key*>(key)) {
        record.value = bez->val;
        record.inTangent = bez->intan;
        record.outTangent = bez->outtan;
    } else if (auto* lin = dynamic_cast<ILinPoint3Key*>(key)) {
        record.value = lin->val;
    } else if (auto* tcb = dynamic_cast<ITCBPoint3Key*>(key)) {
        record.value = tcb->val;
        TakeTcb(tcb, record.tcb);
    }
}

int PositionChannel::KeySize(doc::ControllerKind kind) {
    switch (kind) {
        case doc::ControllerKind::Bezier:
            return sizeof(IBezPoint3Key);
        case doc::ControllerKind::Linear:
            return sizeof(ILinPoint3Key);
        case doc::ControllerKind::Tcb:
            return sizeof(ITCBPoint3Key);
        case doc::ControllerKind::Procedural:
            break;
    }
    return 0;
}

Point3 PositionChannel::Evaluate(doc::ControllerKind kind, const std::vector<Record>& keys,
                                 const KeySpan& span) {
    if (const Record* held = HeldKey(keys, span)) {
        return held->value;
    }
    const Record& a = keys[static_cast<size_t>(span.before)];
    const Record& b = keys[static_cast<size_t>(span.after)];
    if (kind == doc::ControllerKind::Bezier) {
        const float dt = static_cast<float>(span.dt);
        return Hermite(a.value, a.outTangent * dt, b.value, -b.inTangent * dt, span.u);
    }
    return Lerp(a.value, b.value, span.u);
}

// Rotations.

Class_ID RotationChannel::ClassFor(doc::ControllerKind kind) {
    switch (kind) {
        case doc::ControllerKind::Bezier:
            return bezierRotationClassID;
        case doc::ControllerKind::Linear:
            return linearRotationClassID;
        case doc::ControllerKind::Tcb:
            return tcbRotationClassID;
        case doc::ControllerKind::Procedural:
            break;
    }
    return proceduralRotationClassID;
}

void RotationChannel::Fill(const Record& record, IKey* key) {
    key->time = record.time;
    key->flags = record.flags;
    if (auto* bez = dynamic_cast<IBezQuatKey*>(key)) {
        bez->val = record.value;
    } else if (auto* lin = dynamic_cast<ILinRotKey*>(key)) {
        lin->val = record.value;
    } else if (auto* tcb = dynamic_cast<ITCBRotKey*>(key)) {
        tcb->val = record.value;
        FillTcb(record.tcb, tcb);
    }
}

void RotationChannel::Take(IKey* key, Record& record) {
    record.time = key->time;
    record.flags = key->flags;
    if (auto* bez = dynamic_cast<IBezQuatKey*>(key)) {
        record.value = bez->val;
    } else if (auto* lin = dynamic_cast<ILinRotKey*>(key)) {
        record.value = lin->val;
    } else if (auto* tcb = dynamic_cast<ITCBRotKey*>(key)) {
        record.value = tcb->val;
        TakeTcb(tcb, record.tcb);
    }
}

int RotationChannel::KeySize(doc::ControllerKind kind) {
    switch (kind) {
        case doc::ControllerKind::Bezier:
            return sizeof(IBezQuatKey);
        case doc::ControllerKind::Linear:
            return sizeof(ILinRotKey);
        case doc::ControllerKind::Tcb:
            return sizeof(ITCBRotKey);
        case doc::ControllerKind::Procedural:
            break;
    }
    return 0;
}

Quat RotationChannel::Evaluate(doc::ControllerKind, const std::vector<Record>& keys,
                               const KeySpan& span) {
    if (const Record* held = HeldKey(keys, span)) {
        return held->value;
    }
    return Slerp(keys[static_cast<size_t>(span.before)].value,
                 keys[static_cast<size_t>(span.after)].value, span.u);
}

// Scales.

Class_ID ScaleChannel::ClassFor(doc::ControllerKind kind) {
    switch (kind) {
        case doc::ControllerKind::Bezier:
            return bezierScaleClassID;
        case doc::ControllerKind::Linear:
            return linearScaleClassID;
        case doc::ControllerKind::Tcb:
            return tcbScaleClassID;
        case doc::ControllerKind::Procedural:
            break;
    }
    return proceduralScaleClassID;
}

void ScaleChannel::Fill(const Record& record, IKey* key) {
    key->time = record.time;
    key->flags = record.flags;
    if (auto* bez = dynamic_cast<IBezScaleKey*>(key)) {
        bez->val = record.value;
        bez->intan = record.inTangent;
        bez->outtan = record.outTangent;
    } else if (auto* lin = dynamic_cast<ILinScaleKey*>(key)) {
        lin->val = record.value;
    } else if (auto* tcb = dynamic_cast<ITCBScaleKey*>(key)) {
        tcb->val = record.value;
        FillTcb(record.tcb, tcb);
    }
}

void ScaleChannel::Take(IKey* key, Record& record) {
    record.time = key->time;
    record.flags = key->flags;
    if (auto* bez = dynamic_cast<IBezScaleKey*>(key)) {
        record.value = bez->val;
        record.inTangent = bez->intan;
        record.outTangent = bez->outtan;
    } else if (auto* lin = dynamic_cast<ILinScaleKey*>(key)) {
        record.value = lin->val;
    } else if (auto* tcb = dynamic_cast<ITCBScaleKey*>(key)) {
        record.value = tcb->val;
        TakeTcb(tcb, record.tcb);
    }
}

int ScaleChannel::KeySize(doc::ControllerKind kind) {
    switch (kind) {
        case doc::ControllerKind::Bezier:
            return sizeof(IBezScaleKey);
        case doc::ControllerKind::Linear:
            return sizeof(ILinScaleKey);
        case doc::ControllerKind::Tcb:
            return sizeof(ITCBScaleKey);
        case doc::ControllerKind::Procedural:
            break;
    }
    return 0;
}

ScaleValue ScaleChannel::Evaluate(doc::ControllerKind kind, const std::vector<Record>& keys,
                                  const KeySpan& span) {
    if (const Record* held = HeldKey(keys, span)) {
        return held->value;
    }
    const Record& a = keys[static_cast<size_t>(span.before)];
    const Record& b = keys[static_cast<size_t>(span.after)];
    ScaleValue result;
    if (kind == doc::ControllerKind::Bezier) {
        const float dt = static_cast<float>(span.dt);
        result.s = Hermite(a.value.s, a.outTangent * dt, b.value.s, -b.inTangent * dt, span.u);
    } else {
        result.s = Lerp(a.value.s, b.value.s, span.u);
    }
    result.q = a.value.q == b.value.q ? a.value.q : Slerp(a.value.q, b.value.q, span.u);
    return result;
}

}  // namespace pellucid::standalone
