#include "standalone/scene/modifiers/morph_modifier.h"

#include <algorithm>

#include "standalone/scene/controllers/float_track.h"

namespace pellucid::standalone {

void* MorphModifier::GetInterface(ULONG id) {
    return id == I_MORPHCHANNELS ? static_cast<IMorphChannels*>(this) : nullptr;
}

const MorphChannel& MorphModifier::GetChannel(int i) {
    static const MorphChannel unused;
    return i >= 0 && i < MORPH_CHANNEL_COUNT ? channels_[static_cast<size_t>(i)] : unused;
}

void MorphModifier::SetChannel(int index, MorphChannel channel, doc::FloatTrack weight) {
    if (index < 0 || index >= MORPH_CHANNEL_COUNT) {
        return;
    }
    channels_[static_cast<size_t>(index)] = std::move(channel);
    weights_[static_cast<size_t>(index)] = std::move(weight);
}

float MorphModifier::Weight(int index, TimeValue t) const {
    const doc::FloatTrack& track = weights_[static_cast<size_t>(index)];
    return track.keys.empty() ? 0.0f : EvaluateFloatTrack(track, t);
}

void MorphModifier::ModifyObject(TimeValue t, ModContext&, ObjectState* os, INode*) {
    if (os == nullptr || os->obj == nullptr) {
        return;
    }
    Object* object = os->obj;
    const int points = object->NumPoints();
    bool changed = false;
    for (int c = 0; c < MORPH_CHANNEL_COUNT; ++c) {
        const float weight = Weight(c, t);
        const auto& deltas = channels_[static_cast<size_t>(c)].deltas;
        if (weight == 0.0f || deltas.empty()) {
            continue;
        }
        const float factor = weight / 100.0f;
        const int count = std::min(points, static_cast<int>(deltas.size()));
        for (int v = 0; v < count; ++v) {
            object->SetPoint(v, object->GetPoint(v) + deltas[static_cast<size_t>(v)] * factor);
        }
        changed = true;
    }
    if (changed) {
        object->PointsWereChanged();
    }
}

}  // namespace pellucid::standalone
