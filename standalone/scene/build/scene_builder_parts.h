// The steps of bringing a document to life, shared by the builder's files.
#pragma once

#include <string>
#include <vector>

#include "standalone/scene/build/scene_builder.h"

namespace pellucid::standalone::build {

// What the builder has made so far, by document index.
struct Made {
    std::vector<Texmap*> maps;
    std::vector<Mtl*> materials;
    std::vector<Object*> objects;
    std::vector<Modifier*> modifiers;
    std::vector<SceneNode*> nodes;
    // Where this document's entries begin in the scene's lists (a scene may hold others).
    size_t firstMap = 0;
    size_t firstModifier = 0;
};

// For what only the library can refuse: a class that its registry does not offer.
[[noreturn]] void Fail(const std::string& what, const std::string& problem);
std::string ItemLabel(const char* kind, int index, const std::string& id);

// The steps run on a document that ValidateDocument accepted, so every index names an entry. They
// take what they can out of the document: large arrays move into the live scene, and
// the scene's entries keep the rest of each description for capture.
void BuildMaps(doc::Document& document, Scene& scene, Made& made);
void BuildMaterials(const doc::Document& document, Scene& scene, Made& made);
void BuildObjects(doc::Document& document, Scene& scene, Made& made);
// After the nodes, which skin bindings name.
void BuildModifiers(doc::Document& document, Scene& scene, Made& made);
// The skin modifiers' initial transforms, once every node stands where the document puts it.
void BindSkins(const doc::Document& document, Scene& scene, const Made& made);

}  // namespace pellucid::standalone::build
