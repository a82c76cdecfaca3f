// The host's patch meshes: bicubic quad patches over vertices and control vectors, and the patch
// object that holds one.
#pragma once

#include <vector>

#include "host/interval.h"
#include "host/object.h"

class PatchVert {
  public:
    Point3 p;
    // Vectors that start at the vertex and patches that use it; filled by buildLinkages.
    std::vector<int> vectors;
    std::vector<int> patches;
};

class PatchVec {
  public:
    Point3 p;
    // The vertex an edge vector belongs to, -1 for an interior vector.
    int vert = -1;
    std::vector<int> patches;
};

class PatchEdge {
  public:
    int v1 = -1, vec12 = -1, vec21 = -1, v2 = -1;
    std::vector<int> patches;
};

constexpr int PATCH_TRI = 3;
constexpr int PATCH_QUAD = 4;

class Patch {
  public:
    int type = PATCH_QUAD;
    // Corners in order; vec[2i] leaves corner i towards corner i+1, vec[2i+1] arrives there from
    // corner i+1; interior[i] is the interior vector next to corner i.
    int v[4] = {-1, -1, -1, -1};
    int vec[8] = {-1, -1, -1, -1, -1, -1, -1, -1};
    int interior[4] = {-1, -1, -1, -1};
    int edge[4] = {-1, -1, -1, -1};
    DWORD smGroup = 1;
};

// Map coordinates of one patch's corners.
class TVPatch {
  public:
    int tv[4] = {0, 0, 0, 0};
};

class PatchMesh {
  public:
    std::vector<PatchVert> verts;
    std::vector<PatchVec> vecs;
    std::vector<Patch> patches;
    std::vector<PatchEdge> edges;
    // Map channel 1: its vertices and one map patch per patch, or none.
    std::vector<UVVert> mapVerts;
    std::vector<TVPatch> mapPatches;

    int getNumVerts() const { return static_cast<int>(verts.size()); }
    int getNumVecs() const { return static_cast<int>(vecs.size()); }
    int getNumPatches() const { return static_cast<int>(patches.size()); }
    int getNumEdges() const { return static_cast<int>(edges.size()); }
    void setNumVerts(int n) { verts.resize(static_cast<size_t>(n > 0 ? n : 0)); }
    void setNumVecs(int n) { vecs.resize(static_cast<size_t>(n > 0 ? n : 0)); }
    void setNumPatches(int n) { patches.resize(static_cast<size_t>(n > 0 ? n : 0)); }
    void setNumMapVerts(int n) { mapVerts.resize(static_cast<size_t>(n > 0 ? n : 0)); }
    void setNumMapPatches(int n) { mapPatches.resize(static_cast<size_t>(n > 0 ? n : 0)); }
    void setVert(int i, const Point3& p) { verts[static_cast<size_t>(i)].p = p; }
    void setVec(int i, const Point3& p) { vecs[static_cast<size_t>(i)].p = p; }

    // Patch `index` with corners a, b, c, d, the two edge vectors of each side in corner order
    // (ab near a, ba near b, ...), its four interior vectors and smoothing groups.
    void MakeQuadPatch(int index, int va, int vab, int vba, int vb, int vbc, int vcb, int vc,
                       int vcd, int vdc, int vd, int vda, int vad, int i1, int i2, int i3, int i4,
                       DWORD sm);
    // Builds the edge list and the vertex and vector adjacency from the patches; FALSE when a
    // patch names a vertex or vector that does not exist.
    BOOL buildLinkages();
    // Places every interior vector at its corner plus the offsets of the corner's two edge
    // vectors.
    void computeInteriors();
};

class PatchObject : public GeomObject {
  public:
    Class_ID ClassID() override { return patchObjectClassID; }
    void GetClassName(CStr& s) override { s = "Editable Patch"; }
    void SetChannelValidity(int channel, Interval valid);
    Interval ChannelValidity(int channel) const;
    void UnlockObject() { locked_ = false; }
    bool IsLocked() const { return locked_; }

    PatchMesh patch;

  private:
    Interval topology_ = FOREVER;
    Interval geometry_ = FOREVER;
    bool locked_ = true;
};

constexpr int TOPO_CHAN_NUM = 0;
