// Smoothing-group normals of the exported object: one smoothed normal per vertex and set of
// smoothing groups meeting there, numbered, and one written normal entry per used normal that the
// face corners refer to.
#pragma once

#include <vector>

#include "bone_export/bone_tree.h"
#include "host/inode.h"
#include "host/mesh.h"
#include "host/text_stream.h"

// One smoothed normal of one vertex.
struct VertexNormal_t {
    // The sum of the face normals added so far; unit length after normalisation.
    Point3 normal;
    // The union of the smoothing groups of the faces added.
    DWORD groups = 0;
    // Position in the record pool of the next normal of the same vertex, -1 for none.
    int next = -1;
    // 1 once the record holds a normal.
    int used = 0;
    // The record's number in the normal list.
    int index = 0;
};

// One written "Normal(" line.
struct NormalEntry_t {
    int normalIndex = 0;
    // The exporter gathers no vertex colours: -1 each.
    Color colour{-1.0f, -1.0f, -1.0f};
    int bone = -1;
};

class RenderNormal_t {
  public:
    // `tree` may be null; it is shared, not owned.
    RenderNormal_t(INode* node, Mesh* mesh, BoneTree* tree);

    // Builds, normalises and numbers the vertex normals.
    void AddRenderNormals();
    // The number of the record of `vertex` serving a face with smoothing groups `groups`: the first
    // record of the chain sharing a group, else the last record of the chain.
    int GetNormalIndex(DWORD groups, int vertex);
    // Builds the entries and the corner normals.
    void AddRGBVertices();
    void OutputNormals(TextStream& out);

    // The entry number of corner `corner` (in mesh order) of `face`.
    int CornerNormal(int face, int corner) const {
        return cornerNormals[static_cast<size_t>(face) * 3 + static_cast<size_t>(corner)];
    }

    // One entry number per face corner (face * 3 + corner).
    std::vector<int> cornerNormals;
    // The record pool: the head record of vertex v at position v, appended records behind them.
    std::vector<VertexNormal_t> vertexNormals;
    // Pool positions of the records by number.
    std::vector<int> normalList;
    std::vector<NormalEntry_t> entries;
    INode* node;
    Mesh* mesh;
    int count = 0;
    BoneTree* boneTree;

  private:
    void AddNormal(int vertex, const Point3& normal, DWORD groups);
    bool HasBones() const { return boneTree != nullptr && boneTree->boneCount > 0; }
};
