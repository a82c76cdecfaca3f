// Float tracks: a node's visibility and a morph channel's weight. A track is linear or steps from
// key to key, and holds its end values outside its keys.
#pragma once

#include <vector>

#include "host/control.h"
#include "standalone/document/scene_document.h"
#include "standalone/scene/scene_revision.h"

namespace pellucid::standalone {

// The value of a document float track at t (a constant track is its one value).
float EvaluateFloatTrack(const doc::FloatTrack& track, TimeValue t);

// A float track as a controller: IKeyControl with IBezFloatKey keys (time and value), class
// linearFloatClassID for a linear track and onOffFloatClassID for a step track.
class FloatTrackController : public Control, public IKeyControl {
  public:
    FloatTrackController(doc::FloatTrack track, SceneRevision* revision);

    using Animatable::GetInterface;
    Class_ID ClassID() override { return track_.step ? onOffFloatClassID : linearFloatClassID; }
    SClass_ID SuperClassID() override { return CTRL_FLOAT_CLASS_ID; }
    void* GetInterface(ULONG id) override;
    void DeleteThis() override {}  // owned by its node

    int GetNumKeys() override { return static_cast<int>(track_.keys.size()); }
    void SetNumKeys(int n) override;
    void GetKey(int i, IKey* key) override;
    void SetKey(int i, IKey* key) override;
    int GetKeySize() override { return sizeof(IBezFloatKey); }

    float Evaluate(TimeValue t) const { return EvaluateFloatTrack(track_, t); }
    const doc::FloatTrack& Track() const { return track_; }

  private:
    doc::FloatTrack track_;
    SceneRevision* revision_;
};

}  // namespace pellucid::standalone
