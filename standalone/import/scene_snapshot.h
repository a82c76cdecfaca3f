// A scene frozen at one time: what a viewer of a single frame sees, without the animation.
#pragma once

#include <string>
#include <vector>

#include "standalone/scene/scene_store.h"

namespace pellucid::standalone {

// A node whose modifier stack was evaluated into its mesh.
struct EvaluatedNode {
    std::string name;
    std::vector<std::string> modifiers;  // the stack's names, top first
    int vertices = 0;
    int faces = 0;
};

// Freezes `scene` as it stands at t: every node whose modifier stack runs gets, as a new editable
// mesh, the mesh its stack gives at t, and loses the stack; every node keeps the world transform
// and visibility it has at t, as a plain transform relative to its scene parent, without keys or
// link constraint. The scene's current time becomes t. Everything is read at t before anything
// changes, so bones and skins agree.
std::vector<EvaluatedNode> FreezeSceneAt(Scene& scene, TimeValue t);

// Removes the objects and modifiers that no node uses any more (those a frozen stack replaced).
void DropUnusedObjectsAndModifiers(doc::Document& document);

}  // namespace pellucid::standalone
