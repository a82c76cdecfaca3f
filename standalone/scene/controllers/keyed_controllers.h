// Keyframe controllers of node positions, rotations and scales. Each offers its key list through
// IKeyControl (unless it is procedural), evaluates at any tick and holds its end values outside
// its keys.
#pragma once

#include <vector>

#include "host/control.h"
#include "standalone/document/scene_document.h"
#include "standalone/scene/controllers/key_interpolation.h"
#include "standalone/scene/scene_revision.h"

namespace pellucid::standalone {

struct TcbParams {
    float tension = 0.0f, continuity = 0.0f, bias = 0.0f, easeIn = 0.0f, easeOut = 0.0f;
};

struct PositionRecord {
    TimeValue time = 0;
    DWORD flags = 0;
    Point3 value;
    Point3 inTangent;  // units per tick, pointing back in time
    Point3 outTangent;
    TcbParams tcb;
};

struct RotationRecord {
    TimeValue time = 0;
    DWORD flags = 0;
    Quat value;
    TcbParams tcb;
};

struct ScaleRecord {
    TimeValue time = 0;
    DWORD flags = 0;
    ScaleValue value;
    Point3 inTangent;
    Point3 outTangent;
    TcbParams tcb;
};

// Class ids that the stand-alone host gives its procedural (keyless) controllers.
constexpr Class_ID proceduralPositionClassID(0x50c1d001, 0x7e110001);
constexpr Class_ID proceduralRotationClassID(0x50c1d001, 0x7e110002);
constexpr Class_ID proceduralScaleClassID(0x50c1d001, 0x7e110003);

// A channel: the record kept per key, its value, the host's key types of its three keyframe
// classes (Bezier, linear, TCB) and whether its Bezier keys carry tangents, its super class, and
// its class ids in the order of doc::ControllerKind (Bezier, linear, TCB, procedural).
template <typename RecordType, typename ValueType, typename Bezier, typename Linear, typename Tcb,
          bool tangents, SClass_ID superClass>
struct ChannelTypes {
    using Record = RecordType;
    using Value = ValueType;
    using BezierKey = Bezier;
    using LinearKey = Linear;
    using TcbKey = Tcb;
    static constexpr bool kTangents = tangents;
    static constexpr SClass_ID kSuperClass = superClass;
};

struct PositionChannel : ChannelTypes<PositionRecord, Point3, IBezPoint3Key, ILinPoint3Key,
                                      ITCBPoint3Key, true, CTRL_POSITION_CLASS_ID> {
    static constexpr Class_ID kClasses[] = {bezierPositionClassID, linearPositionClassID,
                                            tcbPositionClassID, proceduralPositionClassID};
    static Value Evaluate(doc::ControllerKind kind, const std::vector<Record>& keys,
                          const KeySpan& span);
};

struct RotationChannel : ChannelTypes<RotationRecord, Quat, IBezQuatKey, ILinRotKey, ITCBRotKey,
                                      false, CTRL_ROTATION_CLASS_ID> {
    static constexpr Class_ID kClasses[] = {bezierRotationClassID, linearRotationClassID,
                                            tcbRotationClassID, proceduralRotationClassID};
    static Value Evaluate(doc::ControllerKind kind, const std::vector<Record>& keys,
                          const KeySpan& span);
};

struct ScaleChannel : ChannelTypes<ScaleRecord, ScaleValue, IBezScaleKey, ILinScaleKey,
                                   ITCBScaleKey, true, CTRL_SCALE_CLASS_ID> {
    static constexpr Class_ID kClasses[] = {bezierScaleClassID, linearScaleClassID, tcbScaleClassID,
                                            proceduralScaleClassID};
    static Value Evaluate(doc::ControllerKind kind, const std::vector<Record>& keys,
                          const KeySpan& span);
};

static_assert(static_cast<int>(doc::ControllerKind::Bezier) == 0 &&
              static_cast<int>(doc::ControllerKind::Linear) == 1 &&
              static_cast<int>(doc::ControllerKind::Tcb) == 2 &&
              static_cast<int>(doc::ControllerKind::Procedural) == 3);

// Copies one value between a host key and a record: into the key when `toKey`, else back.
template <typename KeyField, typename RecordField>
void ExchangeValue(bool toKey, KeyField& key, RecordField& record) {
    if (toKey) {
        key = record;
    } else {
        record = key;
    }
}

// Copies the fields of one key type of the channel; false when `key` is not of that type.
template <typename Channel>
bool ExchangeBezierKey(bool toKey, IKey* key, typename Channel::Record& record) {
    auto* bez = dynamic_cast<typename Channel::BezierKey*>(key);
    if (bez == nullptr) {
        return false;
    }
    ExchangeValue(toKey, bez->val, record.value);
    if constexpr (Channel::kTangents) {
        ExchangeValue(toKey, bez->intan, record.inTangent);
        ExchangeValue(toKey, bez->outtan, record.outTangent);
    }
    return true;
}

template <typename Channel>
bool ExchangeLinearKey(bool toKey, IKey* key, typename Channel::Record& record) {
    auto* lin = dynamic_cast<typename Channel::LinearKey*>(key);
    if (lin == nullptr) {
        return false;
    }
    ExchangeValue(toKey, lin->val, record.value);
    return true;
}

template <typename Channel>
bool ExchangeTcbKey(bool toKey, IKey* key, typename Channel::Record& record) {
    auto* tcb = dynamic_cast<typename Channel::TcbKey*>(key);
    if (tcb == nullptr) {
        return false;
    }
    ExchangeValue(toKey, tcb->val, record.value);
    ExchangeValue(toKey, tcb->tens, record.tcb.tension);
    ExchangeValue(toKey, tcb->cont, record.tcb.continuity);
    ExchangeValue(toKey, tcb->bias, record.tcb.bias);
    ExchangeValue(toKey, tcb->easeIn, record.tcb.easeIn);
    ExchangeValue(toKey, tcb->easeOut, record.tcb.easeOut);
    return true;
}

// Copies a key between the host's key type that `key` is and a record. A key of another type
// of the channel gives (or takes) its time and value, as the host's controllers do. The key type
// of the controller's own kind is tried first, as callers nearly always pass it: the channel's
// key types are unrelated classes, so the order of the casts changes nothing but their number.
template <typename Channel>
void ExchangeKey(bool toKey, IKey* key, typename Channel::Record& record,
                 doc::ControllerKind ownKind) {
    ExchangeValue(toKey, key->time, record.time);
    ExchangeValue(toKey, key->flags, record.flags);
    if (ownKind == doc::ControllerKind::Tcb && ExchangeTcbKey<Channel>(toKey, key, record)) {
        return;
    }
    if (ownKind == doc::ControllerKind::Linear && ExchangeLinearKey<Channel>(toKey, key, record)) {
        return;
    }
    if (!ExchangeBezierKey<Channel>(toKey, key, record) &&
        !ExchangeLinearKey<Channel>(toKey, key, record)) {
        ExchangeTcbKey<Channel>(toKey, key, record);
    }
}

template <typename Channel>
class KeyedController : public Control, public IKeyControl {
  public:
    using Record = typename Channel::Record;
    using Value = typename Channel::Value;

    KeyedController(doc::ControllerKind kind, SceneRevision* revision)
        : kind_(kind), revision_(revision) {}

    using Animatable::GetInterface;
    Class_ID ClassID() override { return Channel::kClasses[static_cast<int>(kind_)]; }
    SClass_ID SuperClassID() override { return Channel::kSuperClass; }
    void* GetInterface(ULONG id) override {
        return id == I_KEYCONTROL && kind_ != doc::ControllerKind::Procedural
                   ? static_cast<IKeyControl*>(this)
                   : nullptr;
    }
    void DeleteThis() override {}  // owned by its node's transform controller

    int GetNumKeys() override { return static_cast<int>(keys_.size()); }
    void SetNumKeys(int n) override {
        keys_.resize(static_cast<size_t>(n > 0 ? n : 0));
        Changed();
    }
    void GetKey(int i, IKey* key) override {
        if (key != nullptr && i >= 0 && i < GetNumKeys()) {
            Record record = keys_[static_cast<size_t>(i)];
            ExchangeKey<Channel>(true, key, record, kind_);
        }
    }
    void SetKey(int i, IKey* key) override {
        if (key != nullptr && i >= 0 && i < GetNumKeys()) {
            ExchangeKey<Channel>(false, key, keys_[static_cast<size_t>(i)], kind_);
            Changed();
        }
    }
    int GetKeySize() override {
        switch (kind_) {
            case doc::ControllerKind::Bezier:
                return sizeof(typename Channel::BezierKey);
            case doc::ControllerKind::Linear:
                return sizeof(typename Channel::LinearKey);
            case doc::ControllerKind::Tcb:
                return sizeof(typename Channel::TcbKey);
            case doc::ControllerKind::Procedural:
                break;
        }
        return 0;
    }

    doc::ControllerKind Kind() const { return kind_; }
    // Whether the controller's keys decide its channel: a keyframe controller with keys.
    bool Animates() const { return kind_ != doc::ControllerKind::Procedural && !keys_.empty(); }
    // The value at t; `rest` when the controller has no keys.
    Value Evaluate(TimeValue t, const Value& rest) const {
        if (!Animates()) {
            return rest;
        }
        if (!orderValid_) {
            std::vector<TimeValue> times;
            times.reserve(keys_.size());
            for (const Record& r : keys_) {
                times.push_back(r.time);
            }
            times_ = std::move(times);
            order_ = SortKeysByTime(times_);
            orderValid_ = true;
        }
        return Channel::Evaluate(kind_, keys_, FindKeySpan(order_, times_, t));
    }

    const std::vector<Record>& Keys() const { return keys_; }
    std::vector<Record>& MutableKeys() {
        Changed();
        return keys_;
    }
    // Whether the scene document named this controller (it is written back even without keys).
    bool explicitController = false;

  private:
    void Changed() {
        orderValid_ = false;
        if (revision_ != nullptr) {
            revision_->Bump();
        }
    }

    doc::ControllerKind kind_;
    SceneRevision* revision_;
    std::vector<Record> keys_;
    mutable std::vector<TimeValue> times_;
    mutable std::vector<int> order_;
    mutable bool orderValid_ = false;
};

using PositionController = KeyedController<PositionChannel>;
using RotationController = KeyedController<RotationChannel>;
using ScaleController = KeyedController<ScaleChannel>;

}  // namespace pellucid::standalone
