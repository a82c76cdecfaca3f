#include "standalone/scene/controllers/float_track.h"

#include "standalone/scene/controllers/key_interpolation.h"

namespace pellucid::standalone {

float EvaluateFloatTrack(const doc::FloatTrack& track, TimeValue t) {
    if (track.keys.empty()) {
        return 0.0f;
    }
    // Tracks are short (visibility, morph weights): a walk finds the keys around t.
    int before = -1;
    int after = -1;
    for (int i = 0; i < static_cast<int>(track.keys.size()); ++i) {
        const TimeValue kt = track.keys[static_cast<size_t>(i)].time;
        if (kt <= t) {
            if (before < 0 || kt >= track.keys[static_cast<size_t>(before)].time) {
                before = i;
            }
        } else if (after < 0 || kt < track.keys[static_cast<size_t>(after)].time) {
            after = i;
        }
    }
    if (before < 0) {
        return track.keys[static_cast<size_t>(after)].value;
    }
    const doc::FloatKey& a = track.keys[static_cast<size_t>(before)];
    if (after < 0 || track.step) {
        return a.value;
    }
    const doc::FloatKey& b = track.keys[static_cast<size_t>(after)];
    const double u = (static_cast<double>(t) - a.time) / (static_cast<double>(b.time) - a.time);
    return Lerp(a.value, b.value, u);
}

FloatTrackController::FloatTrackController(doc::FloatTrack track, SceneRevision* revision)
    : track_(std::move(track)), revision_(revision) {
    track_.constant = false;
}

void* FloatTrackController::GetInterface(ULONG id) {
    return id == I_KEYCONTROL ? static_cast<IKeyControl*>(this) : nullptr;
}

void FloatTrackController::SetNumKeys(int n) {
    track_.keys.resize(static_cast<size_t>(n > 0 ? n : 0));
    revision_->Bump();
}

void FloatTrackController::GetKey(int i, IKey* key) {
    if (key == nullptr || i < 0 || i >= GetNumKeys()) {
        return;
    }
    const doc::FloatKey& k = track_.keys[static_cast<size_t>(i)];
    key->time = k.time;
    if (auto* bez = dynamic_cast<IBezFloatKey*>(key)) {
        bez->val = k.value;
        bez->intan = 0.0f;
        bez->outtan = 0.0f;
    }
}

void FloatTrackController::SetKey(int i, IKey* key) {
    if (key == nullptr || i < 0 || i >= GetNumKeys()) {
        return;
    }
    doc::FloatKey& k = track_.keys[static_cast<size_t>(i)];
    k.time = key->time;
    if (auto* bez = dynamic_cast<IBezFloatKey*>(key)) {
        k.value = bez->val;
    }
    revision_->Bump();
}

}  // namespace pellucid::standalone
