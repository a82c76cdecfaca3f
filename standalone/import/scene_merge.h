// Merging the nodes of a scene document into a live scene, as the host's merge of a scene file
// does for an importer.
#pragma once

#include <string>
#include <vector>

#include "standalone/scene/scene_store.h"

namespace pellucid::standalone {

struct MergeResult {
    bool merged = false;
    // Why nothing was merged: the document's or the builder's one-line message.
    std::string error;
    // The nodes brought in, in tree order, and how many of them hang directly under the root.
    std::vector<SceneNode*> nodes;
    int topLevelNodes = 0;
};

// Reads the scene document at `path` and brings every node of it, with what the nodes use, into
// `scene` after the nodes it holds; the scene keeps its settings. Node names may repeat those of
// the scene. Ids that the scene already uses get a suffix ("#2", "#3", ...), and image paths are
// rewritten to stay valid from the scene's folder. With `selectMerged` the merged nodes become
// the selection; without it the selection stays as it was. A document that cannot be read or
// brought to life changes nothing.
MergeResult MergeSceneDocument(Scene& scene, const std::string& path, bool selectMerged);

// One merge that the library asked of the host, for reports.
struct MergeRecord {
    std::string file;       // as the library named it
    std::string localPath;  // the local file it names, "" when it names none
    bool merged = false;
    std::string error;
    std::vector<std::string> nodes;  // names of the merged nodes, in tree order
    int topLevelNodes = 0;
};

}  // namespace pellucid::standalone
