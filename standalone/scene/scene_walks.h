// Walks over the live scene that the host offers the library: the tree enumeration of IScene and
// the dependents of a reference target.
#pragma once

#include "host/inode.h"
#include "standalone/scene/scene_store.h"

namespace pellucid::standalone {

// IScene over a live scene. EnumTree visits the root's children and their subtrees depth-first,
// each node before its children and children in order; the root itself is not visited. A callback
// answer of TREE_IGNORECHILDREN skips the node's children, TREE_ABORT (or any other non-zero
// answer) ends the walk. Answers 1 when the walk ran to its end, 0 when it was aborted.
class SceneTree : public IScene {
  public:
    explicit SceneTree(Scene& scene) : scene_(scene) {}
    int EnumTree(ITreeEnumProc* proc) override;

  private:
    Scene& scene_;
};

// The makers that depend on `target`, in tree order of their nodes: for each node whose object,
// modifier stack or material holds the target, the node's derived object (when it has one), then
// the node. Answers 1 when proc halted the walk.
int EnumSceneDependents(const Scene& scene, ReferenceTarget* target, DependentEnumProc* proc);

}  // namespace pellucid::standalone
