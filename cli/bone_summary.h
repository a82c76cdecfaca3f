// What the bone script of a scene will hold, before it is exported: the animation range and
// whether it is cyclic, each bone's keys, and each attached object's links and key frames.
#pragma once

#include <iosfwd>

#include "bone_export/bone_tree.h"
#include "standalone/host/standalone_host.h"

namespace pellucid::cli {

// Prints the summary after the node tree of `pellucid info`; nothing for a tree without bones (the
// bone script is then empty).
void PrintBoneScriptSummary(std::ostream& out, standalone::StandaloneHost& host,
                            const BoneTree& tree);

}  // namespace pellucid::cli
