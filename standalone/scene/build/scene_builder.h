// Brings a scene document to life in a live scene: nodes, objects, modifier stacks, controllers,
// materials and maps, made and wired as the host would hold them.
#pragma once

#include <stdexcept>

#include "standalone/document/scene_document.h"
#include "standalone/scene/scene_store.h"

namespace pellucid::standalone {

// A document that the library cannot bring to life: it uses a class that the library's registry
// does not offer. what() is one line, such as: object 2: the library registers no CollBox class.
class SceneBuildError : public std::runtime_error {
  public:
    using std::runtime_error::runtime_error;
};

// Fills `scene`, which must be empty, from `document`, whose large arrays move into the live
// scene. The document is checked first (ValidateDocument, refusing with a DocumentError that
// names the JSON pointer of the value at fault, as the document would be written). The library must
// be loaded, since its own classes are made through its class registry.
void BuildScene(doc::Document document, Scene& scene);
// Brings the document's nodes, with everything they use, into a scene that may hold others; the
// scene keeps its settings. The new top-level nodes follow the scene root's other children.
void AddToScene(doc::Document document, Scene& scene);

}  // namespace pellucid::standalone
