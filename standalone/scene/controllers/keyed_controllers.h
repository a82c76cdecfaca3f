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

struct PositionChannel {
    using Record = PositionRecord;
    using Value = Point3;
    static constexpr SClass_ID kSuperClass = CTRL_POSITION_CLASS_ID;
    static Class_ID ClassFor(doc::ControllerKind kind);
    static void Fill(const Record& record, IKey* key);
    static void Take(IKey* key, Record& record);
    static int KeySize(doc::ControllerKind kind);
    static Value Evaluate(doc::ControllerKind kind, const std::vector<Record>& keys,
                          const KeySpan& span);
};

struct RotationChannel {
    using Record = RotationRecord;
    using Value = Quat;
    static constexpr SClass_ID kSuperClass = CTRL_ROTATION_CLASS_ID;
    static Class_ID ClassFor(doc::ControllerKind kind);
    static void Fill(const Record& record, IKey* key);
    static void Take(IKey* key, Record& record);
    static int KeySize(doc::ControllerKind kind);
    static Value Evaluate(doc::ControllerKind kind, const std::vector<Record>& keys,
                          const KeySpan& span);
};

struct ScaleChannel {
    using Record = ScaleRecord;
    using Value = ScaleValue;
    static constexpr SClass_ID kSuperClass = CTRL_SCALE_CLASS_ID;
    static Class_ID ClassFor(doc::ControllerKind kind);
    static void Fill(const Record& record, IKey* key);
    static void Take(IKey* key, Record& record);
    static int KeySize(doc::ControllerKind kind);
    static Value Evaluate(doc::ControllerKind kind, const std::vector<Record>& keys,
                          const KeySpan& span);
};

template <typename Channel>
class KeyedController : public Control, public IKeyControl {
  public:
    using Record = typename Channel::Record;
    using Value = typename Channel::Value;

    KeyedController(doc::ControllerKind kind, SceneRevision* revision)
        : kind_(kind), revision_(revision) {}

    using Animatable::GetInterface;
    Class_ID ClassID() override { return Channel::ClassFor(kind_); }
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
            Channel::Fill(keys_[static_cast<size_t>(i)], key);
        }
    }
    void SetKey(int i, IKey* key) override {
        if (key != nullptr && i >= 0 && i < GetNumKeys()) {
            Channel::Take(key, keys_[static_cast<size_t>(i)]);
            Changed();
        }
    }
    int GetKeySize() override { return Channel::KeySize(kind_); }

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
