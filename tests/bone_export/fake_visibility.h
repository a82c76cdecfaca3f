// A node that only answers visibility questions, with a keyed visibility track, for the trigger
// time tests; it counts how often its visibility is read.
#pragma once

#include <algorithm>
#include <optional>
#include <vector>

#include "host/control.h"
#include "host/inode.h"
#include "support/fake_node.h"

namespace bone_test {

struct VisibilityKey {
    TimeValue time;
    float value;
};

// A linear or step float track with keys in time order; it holds its end values outside them.
class FakeVisibilityTrack : public Control, public IKeyControl {
  public:
    FakeVisibilityTrack(std::vector<VisibilityKey> keys, bool step)
        : keys_(std::move(keys)), step_(step) {}

    using Animatable::GetInterface;
    Class_ID ClassID() override {
        return kind_ ? *kind_ : (step_ ? onOffFloatClassID : linearFloatClassID);
    }
    SClass_ID SuperClassID() override { return CTRL_FLOAT_CLASS_ID; }
    void* GetInterface(ULONG id) override {
        return id == I_KEYCONTROL ? static_cast<IKeyControl*>(this) : nullptr;
    }
    int GetNumKeys() override { return static_cast<int>(keys_.size()); }
    void SetNumKeys(int) override {}
    void GetKey(int i, IKey* key) override { key->time = keys_[static_cast<size_t>(i)].time; }
    void SetKey(int, IKey*) override {}
    int GetKeySize() override { return sizeof(IBezFloatKey); }

    // Pretends to be a track of another class (its values stay linear or step).
    void SetClass(Class_ID kind) { kind_ = kind; }

    float Evaluate(TimeValue t) const {
        if (keys_.empty()) {
            return 0.0f;
        }
        if (t <= keys_.front().time) {
            return keys_.front().value;
        }
        if (t >= keys_.back().time) {
            return keys_.back().value;
        }
        auto after =
            std::upper_bound(keys_.begin(), keys_.end(), t,
                             [](TimeValue x, const VisibilityKey& k) { return x < k.time; });
        auto before = after - 1;
        if (step_) {
            return before->value;
        }
        const double u = (static_cast<double>(t) - before->time) /
                         (static_cast<double>(after->time) - before->time);
        return static_cast<float>(before->value +
                                  (static_cast<double>(after->value) - before->value) * u);
    }

  private:
    std::vector<VisibilityKey> keys_;
    bool step_;
    std::optional<Class_ID> kind_;
};

class FakeVisibilityNode : public FakeNode {
  public:
    // A node with a constant visibility.
    explicit FakeVisibilityNode(float constant) : FakeNode("trigger"), constant_(constant) {}
    // A node with a keyed visibility track.
    explicit FakeVisibilityNode(FakeVisibilityTrack* track) : FakeNode("trigger"), track_(track) {}

    float GetVisibility(TimeValue t, Interval*) override {
        ++reads;
        return track_ ? track_->Evaluate(t) : constant_;
    }
    Control* GetVisController() override { return track_; }

    long long reads = 0;

  private:
    float constant_ = 1.0f;
    FakeVisibilityTrack* track_ = nullptr;
};

}  // namespace bone_test
