// The volume check: every edge of every mesh must be used by an even number of faces, except
// where the face that first uses an open edge carries a material named with "OPEN_"; the owner
// faces of the other open edges are marked.
#pragma once

#include <cstdint>
#include <vector>

#include "utilities/marking_check.h"

// One edge of a mesh: its two vertex indices as first met, how many faces use it, and the face
// that met it first.
struct EdgeEntry {
    DWORD a = 0, b = 0;
    std::int32_t useCount = 0;
    int owner = 0;
};

// The edges of a mesh in the order in which its faces (corners 0-1, 1-2, 2-0) first use them.
// Edges are matched by their unordered pair of vertex indices, through a hash index rather
// than a search of the entries so far; the table is the same.
std::vector<EdgeEntry> BuildEdgeTable(const Mesh& mesh);

// The node check on `node` and the nodes below it.
CheckFindings CheckVolumeNode(INode* node);

extern const MarkingCheck kCheckVolume;

class CheckVolume : public MarkingCheckPanel {
  public:
    CheckVolume();
};
