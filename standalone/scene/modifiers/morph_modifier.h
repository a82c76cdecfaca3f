// The host's morph modifier ("morpher"): a hundred channels of per-vertex offsets, read by the
// exporters through IMorphChannels and deforming the mesh by each channel's weight.
#pragma once

#include <array>

#include "host/morph.h"
#include "host/object.h"
#include "standalone/document/scene_document.h"

namespace pellucid::standalone {

class MorphModifier : public Modifier, public IMorphChannels {
  public:
    MorphModifier() = default;

    using Animatable::GetInterface;
    Class_ID ClassID() override { return morpherClassID; }
    void GetClassName(CStr& s) override { s = "Morpher"; }
    const char* GetName() override { return "Morpher"; }
    void* GetInterface(ULONG id) override;

    const MorphChannel& GetChannel(int i) override;

    // Adds weight / 100 times the channel's offset to every vertex, for each channel whose
    // weight at t is not zero; a vertex beyond a channel's offsets counts as a zero offset.
    void ModifyObject(TimeValue t, ModContext& mc, ObjectState* os, INode* node) override;

    void SetChannel(int index, MorphChannel channel, doc::FloatTrack weight);
    float Weight(int index, TimeValue t) const;

  private:
    std::array<MorphChannel, MORPH_CHANNEL_COUNT> channels_{};
    std::array<doc::FloatTrack, MORPH_CHANNEL_COUNT> weights_{};
};

}  // namespace pellucid::standalone
