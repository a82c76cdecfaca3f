// The host's triangle mesh: vertices, faces with smoothing groups and material ids, texture
// vertices and faces, and the face selection.
#pragma once

#include <vector>

#include "host/bitarray.h"
#include "host/max_types.h"
#include "host/point3.h"

using MtlID = unsigned short;

constexpr DWORD EDGE_A = 1u << 0;
constexpr DWORD EDGE_B = 1u << 1;
constexpr DWORD EDGE_C = 1u << 2;
constexpr DWORD EDGE_ALL = EDGE_A | EDGE_B | EDGE_C;

class Face {
  public:
    DWORD v[3] = {0, 0, 0};
    DWORD smGroup = 0;
    // Bits 0 to 2: edge visibility; bits 16 to 31: material id.
    DWORD flags = 0;

    void setVerts(DWORD a, DWORD b, DWORD c) {
        v[0] = a;
        v[1] = b;
        v[2] = c;
    }
    void setSmGroup(DWORD groups) { smGroup = groups; }
    DWORD getSmGroup() const { return smGroup; }
    MtlID getMatID() const { return static_cast<MtlID>(flags >> 16); }
    void setMatID(MtlID id) { flags = (flags & 0xffffu) | (static_cast<DWORD>(id) << 16); }
    void setEdgeVisFlags(int va, int vb, int vc) {
        flags = (flags & ~EDGE_ALL) | (va ? EDGE_A : 0u) | (vb ? EDGE_B : 0u) | (vc ? EDGE_C : 0u);
    }
    int getEdgeVis(int edge) const { return (flags >> edge) & 1u; }
    DWORD getVert(int i) const { return v[i]; }
};

class TVFace {
  public:
    DWORD t[3] = {0, 0, 0};
    void setTVerts(DWORD a, DWORD b, DWORD c) {
        t[0] = a;
        t[1] = b;
        t[2] = c;
    }
    DWORD getTVert(int i) const { return t[i]; }
};

class Mesh {
  public:
    std::vector<Point3> verts;
    std::vector<Face> faces;
    std::vector<UVVert> tVerts;
    // Empty, or one texture face per face.
    std::vector<TVFace> tvFace;
    BitArray faceSel;

    int getNumVerts() const { return static_cast<int>(verts.size()); }
    int getNumFaces() const { return static_cast<int>(faces.size()); }
    int getNumTVerts() const { return static_cast<int>(tVerts.size()); }
    // The host's keep and selection-sizing arguments change nothing here: entries that stay keep
    // their values, new ones are zero, and the face selection always follows the faces.
    void setNumVerts(int n, BOOL keep = FALSE, BOOL synchSel = FALSE) {
        verts.resize(static_cast<size_t>(n > 0 ? n : 0));
    }
    // Also sizes the face selection; texture faces follow when the mesh has them.
    void setNumFaces(int n, BOOL keep = FALSE, BOOL synchSel = FALSE);
    void setNumTVerts(int n, BOOL keep = FALSE) {
        tVerts.resize(static_cast<size_t>(n > 0 ? n : 0));
    }
    void setNumTVFaces(int n) { tvFace.resize(static_cast<size_t>(n > 0 ? n : 0)); }

    Point3& getVert(int i) { return verts[static_cast<size_t>(i)]; }
    const Point3& getVert(int i) const { return verts[static_cast<size_t>(i)]; }
    void setVert(int i, const Point3& p) { verts[static_cast<size_t>(i)] = p; }
    UVVert& getTVert(int i) { return tVerts[static_cast<size_t>(i)]; }
    MtlID getFaceMtlIndex(int face) const { return faces[static_cast<size_t>(face)].getMatID(); }
    void setFaceMtlIndex(int face, MtlID id) { faces[static_cast<size_t>(face)].setMatID(id); }
    BitArray& FaceSel() { return faceSel; }

    // Computes the unit normal of every face from its corners (p1 - p0) x (p2 - p1).
    void buildNormals();
    const Point3& getFaceNormal(int face) const { return faceNormals_[static_cast<size_t>(face)]; }
    void InvalidateGeomCache() { faceNormals_.clear(); }

  private:
    std::vector<Point3> faceNormals_;
};
