// A live scene written back as a scene document.
#pragma once

#include "standalone/document/scene_document.h"
#include "standalone/scene/scene_store.h"

namespace pellucid::standalone {

// The scene as a document: settings, the document's maps, materials and modifiers as they were
// given (nothing in the host interface changes them), the objects as they stand now, and every
// node in the tree with its current transform, keys, link, visibility, pivot and face selection.
// Nodes keep their order (the document's first, then new ones), so references stay valid.
doc::Document CaptureScene(const Scene& scene);

}  // namespace pellucid::standalone
