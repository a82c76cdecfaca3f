// Channel data of the morph modifier, read by the exporters.
#pragma once

#include <vector>

#include "host/cstr.h"
#include "host/point3.h"

constexpr int MORPH_CHANNEL_COUNT = 100;

struct MorphChannel {
    CStr name;
    int hasData = 0;
    int enabled = 0;
    // Indices of the morph points.
    std::vector<int> points;
    // One offset per base-object vertex, looked up by vertex index.
    std::vector<Point3> deltas;
};

// Interface id under which the morph modifier (class morpherClassID) offers its channels.
constexpr unsigned int I_MORPHCHANNELS = 0x17bb6855;

// The morph modifier's channels.
class IMorphChannels {
  public:
    virtual ~IMorphChannels() = default;
    // Channel i of 0..99; an unused channel has both flags zero.
    virtual const MorphChannel& GetChannel(int i) = 0;
};
