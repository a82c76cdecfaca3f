#include "host/patch_mesh.h"

#include <algorithm>
#include <map>
#include <utility>

void PatchMesh::MakeQuadPatch(int index, int va, int vab, int vba, int vb, int vbc, int vcb, int vc,
                              int vcd, int vdc, int vd, int vda, int vad, int i1, int i2, int i3,
                              int i4, DWORD sm) {
    if (index < 0 || index >= getNumPatches()) {
        return;
    }
    Patch& p = patches[static_cast<size_t>(index)];
    p = Patch();
    p.type = PATCH_QUAD;
    const int corners[4] = {va, vb, vc, vd};
    const int vectors[8] = {vab, vba, vbc, vcb, vcd, vdc, vda, vad};
    const int interiors[4] = {i1, i2, i3, i4};
    std::copy(std::begin(corners), std::end(corners), p.v);
    std::copy(std::begin(vectors), std::end(vectors), p.vec);
    std::copy(std::begin(interiors), std::end(interiors), p.interior);
    p.smGroup = sm;
}

BOOL PatchMesh::buildLinkages() {
    for (PatchVert& v : verts) {
        v.vectors.clear();
        v.patches.clear();
    }
    for (PatchVec& v : vecs) {
        v.vert = -1;
        v.patches.clear();
    }
    edges.clear();
    const auto validVert = [this](int i) { return i >= 0 && i < getNumVerts(); };
    const auto validVec = [this](int i) { return i >= 0 && i < getNumVecs(); };
    std::map<std::pair<int, int>, int> edgeIndex;
    for (int pi = 0; pi < getNumPatches(); ++pi) {
        Patch& p = patches[static_cast<size_t>(pi)];
        const int sides = p.type == PATCH_TRI ? 3 : 4;
        for (int i = 0; i < sides; ++i) {
            const int a = p.v[i];
            const int b = p.v[(i + 1) % sides];
            const int ab = p.vec[2 * i];
            const int ba = p.vec[2 * i + 1];
            if (!validVert(a) || !validVert(b) || !validVec(ab) || !validVec(ba) ||
                !validVec(p.interior[i])) {
                return FALSE;
            }
            verts[static_cast<size_t>(a)].patches.push_back(pi);
            vecs[static_cast<size_t>(ab)].vert = a;
            vecs[static_cast<size_t>(ba)].vert = b;
            vecs[static_cast<size_t>(p.interior[i])].patches.push_back(pi);
            const auto key = std::make_pair(std::min(a, b), std::max(a, b));
            auto [it, added] = edgeIndex.emplace(key, getNumEdges());
            if (added) {
                PatchEdge edge;
                edge.v1 = a;
                edge.vec12 = ab;
                edge.vec21 = ba;
                edge.v2 = b;
                edges.push_back(edge);
                verts[static_cast<size_t>(a)].vectors.push_back(ab);
                verts[static_cast<size_t>(b)].vectors.push_back(ba);
            }
            edges[static_cast<size_t>(it->second)].patches.push_back(pi);
            p.edge[i] = it->second;
        }
    }
    return TRUE;
}

void PatchMesh::computeInteriors() {
    for (const Patch& p : patches) {
        const int sides = p.type == PATCH_TRI ? 3 : 4;
        for (int i = 0; i < sides; ++i) {
            const int corner = p.v[i];
            const int out = p.vec[2 * i];
            const int in = p.vec[(2 * i + 2 * sides - 1) % (2 * sides)];
            const int interior = p.interior[i];
            if (corner < 0 || corner >= getNumVerts() || out < 0 || out >= getNumVecs() || in < 0 ||
                in >= getNumVecs() || interior < 0 || interior >= getNumVecs()) {
                continue;
            }
            const Point3 c = verts[static_cast<size_t>(corner)].p;
            vecs[static_cast<size_t>(interior)].p =
                c + (vecs[static_cast<size_t>(out)].p - c) + (vecs[static_cast<size_t>(in)].p - c);
        }
    }
}

void PatchObject::SetChannelValidity(int channel, Interval valid) {
    if (channel == TOPO_CHAN_NUM) {
        topology_ = valid;
    } else if (channel == GEOM_CHAN_NUM) {
        geometry_ = valid;
    }
}

Interval PatchObject::ChannelValidity(int channel) const {
    return channel == TOPO_CHAN_NUM ? topology_ : geometry_;
}
