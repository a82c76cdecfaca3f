// Brings a scene document to life in a live scene: nodes, objects, modifier stacks, controllers,
// materials and maps, made and wired as the host would hold them.
#pragma once

#include <stdexcept>

#include "standalone/document/scene_document.h"
#include "standalone/scene/scene_store.h"

namespace pellucid::standalone {

// A document that cannot be brought to life; what() is one line naming the part at fault and the
// problem, such as: node "Arm": child 4 is already the child of another node.
class SceneBuildError : public std::runtime_error {
  public:
    using std::runtime_error::runtime_error;
};

// Fills `scene`, which must be empty, from `document`, whose large arrays move into the live
// scene. The library must be loaded, since its own classes are made through its class registry.
void BuildScene(doc::Document document, Scene& scene);

}  // namespace pellucid::standalone
