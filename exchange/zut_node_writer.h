// The worker of a ZUT export: the host's tree-enumeration callback that writes, for every mesh
// node named with the "ZUT" prefix, its frame-10 vertices with the nearest frame-0 vertex of
// each, then its faces.
#pragma once

#include "host/interface.h"
#include "host/text_stream.h"

class NearestVertexIndex;

class ZUTNodeWriter : public ITreeEnumProc {
  public:
    ZUTNodeWriter(TextStream& out, Interface* ip) : out_(out), ip_(ip) {}

    // Writes the node when it qualifies; always continues the walk.
    int callback(INode* node) override;

  private:
    void OutputVertices(const Mesh& posed, const Mesh& reference);
    void OutputFaces(const Mesh& posed);

    TextStream& out_;
    Interface* ip_;
};

// Whether the node's name begins with "ZUT", exactly in that case.
bool HasZUTPrefix(const char* name);

// The index of the vertex of `mesh` nearest to `point`, by a scan in index order; -1 when no
// vertex is at a finite distance.
int FindNearestVertex(const Point3& point, const Mesh& mesh);
