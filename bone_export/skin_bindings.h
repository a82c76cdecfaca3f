// The bindings of a skin's vertices to bones, read through the skin modifier's export interface.
#pragma once

#include <functional>

#include "host/inode.h"

struct SkinBinding {
    int vertex = 0;
    INode* bone = nullptr;
    // The vertex of the skin's base mesh, carried from the skin's initial frame into the bone's.
    Point3 offset;
    float weight = 1.0f;
};

// Calls `visit` for every binding of every skin modifier on the node's modifier stack: modifier by
// modifier, vertex by vertex (each made rigid or rigid blended first), binding by binding. A vertex
// without a vertex interface and a vertex that the base mesh does not have give none. Missing
// initial transforms and unexpected vertex types are reported to the host's assertion reporter
// under the unit "bonetree". A node without a modifier stack (or null) gives none.
void ForEachSkinBinding(INode* skin, const std::function<void(const SkinBinding&)>& visit);
