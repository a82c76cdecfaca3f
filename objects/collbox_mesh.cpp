#include "objects/collbox_mesh.h"

#include <algorithm>
#include <cmath>
#include <vector>

#include "host/interface.h"

namespace {

constexpr int kMinSegments = 1;
constexpr int kMaxSegments = 200;
// Stands in for a zero size when texture coordinates divide by it.
constexpr float kZeroSize = 0.0001f;

constexpr DWORD kSmoothBottom = 2;
constexpr DWORD kSmoothTop = 4;
constexpr DWORD kSmoothSide[4] = {8, 16, 32, 64};

// Sides as the material ids and texture grids know them.
enum Side { kPosX, kPosY, kPosZ, kNegX, kNegY, kNegZ };

// Integer part of v + 0.5, clamped into 0..limit so that no input reaches outside a grid; for
// the coordinates of a well-formed box the clamp never changes anything.
int GridIndex(float v, int limit) {
    const double r = static_cast<double>(v) + 0.5;
    if (!(r > 0.0)) {
        return 0;
    }
    if (r >= static_cast<double>(limit)) {
        return limit;
    }
    return static_cast<int>(r);
}

float NonZero(float size) {
    return size == 0.0f ? kZeroSize : size;
}

Side SideOfNormal(const Point3& n) {
    const int axis = n.MaxComponent();
    const bool negative = n[axis] < 0.0f;
    switch (axis) {
        case 0:
            return negative ? kNegX : kPosX;
        case 1:
            return negative ? kNegY : kPosY;
        default:
            return negative ? kNegZ : kPosZ;
    }
}

MtlID MaterialOfSide(Side side) {
    switch (side) {
        case kPosZ:
            return 0;
        case kNegZ:
            return 1;
        case kNegX:
            return 2;
        case kPosX:
            return 3;
        case kNegY:
            return 4;
        case kPosY:
            return 5;
    }
    return 0;
}

class BoxBuilder {
  public:
    BoxBuilder(Mesh& mesh, float length, float width, float height, int ws, int ls, int hs)
        : mesh_(mesh), l_(length), w_(width), h_(height), ws_(ws), ls_(ls), hs_(hs) {}

    void Build(bool mapping);

  private:
    int GridVertex(int grid, int ix, int iy) const {
        return grid * (ls_ + 1) * (ws_ + 1) + iy * (ws_ + 1) + ix;
    }
    int RingLength() const { return 2 * (ws_ + ls_); }
    void AddVertices();
    std::vector<int> BorderRing(int grid) const;
    void AddQuad(int a, int b, int c, int d, DWORD smooth);
    void AddFaces();
    void AddMaterialIds();
    void AddTextureVertices();
    int TextureVertex(Side side, const Point3& p) const;
    void AddTextureFaces();

    Mesh& mesh_;
    float l_, w_, h_;
    int ws_, ls_, hs_;
    bool flip_ = false;
    int nextVertex_ = 0;
    int nextFace_ = 0;
    std::vector<Side> faceSides_;
};

void BoxBuilder::Build(bool mapping) {
    flip_ = h_ < 0.0f;
    const int numVerts = 2 * (ls_ + 1) * (ws_ + 1) + 2 * (hs_ - 1) * (ls_ + ws_);
    const int numFaces = 4 * (ls_ * ws_ + hs_ * (ls_ + ws_));
    mesh_.setNumTVFaces(0);
    mesh_.setNumTVerts(0);
    mesh_.setNumVerts(numVerts);
    mesh_.setNumFaces(numFaces);

    AddVertices();
    if (nextVertex_ != numVerts) {
        assert1(__LINE__, "collbox");
    }
    AddFaces();
    if (nextFace_ != numFaces) {
        assert1(__LINE__, "collbox");
    }
    AddMaterialIds();
    if (mapping) {
        AddTextureVertices();
        AddTextureFaces();
    }
    mesh_.InvalidateGeomCache();
}

void BoxBuilder::AddVertices() {
    const float dx = w_ / static_cast<float>(ws_);
    const float dy = l_ / static_cast<float>(ls_);
    const float dz = h_ / static_cast<float>(hs_);

    for (const float z : {0.0f, h_}) {
        float y = -l_ / 2.0f;
        for (int iy = 0; iy <= ls_; ++iy) {
            float x = -w_ / 2.0f;
            for (int ix = 0; ix <= ws_; ++ix) {
                mesh_.setVert(nextVertex_++, Point3(x, y, z));
                x += dx;
            }
            y += dy;
        }
    }

    // Each inner level is a ring walked counter-clockwise seen from above, starting at the
    // corner (-W/2, -L/2); the cursor keeps its accumulated position from edge to edge.
    float z = 0.0f;
    for (int k = 1; k < hs_; ++k) {
        z += dz;
        float x = -w_ / 2.0f;
        float y = -l_ / 2.0f;
        for (int i = 0; i < ws_; ++i, x += dx) {
            mesh_.setVert(nextVertex_++, Point3(x, y, z));
        }
        for (int i = 0; i < ls_; ++i, y += dy) {
            mesh_.setVert(nextVertex_++, Point3(x, y, z));
        }
        for (int i = 0; i < ws_; ++i, x -= dx) {
            mesh_.setVert(nextVertex_++, Point3(x, y, z));
        }
        for (int i = 0; i < ls_; ++i, y -= dy) {
            mesh_.setVert(nextVertex_++, Point3(x, y, z));
        }
    }
}

// The border of grid 0 (bottom) or 1 (top) in ring order.
std::vector<int> BoxBuilder::BorderRing(int grid) const {
    std::vector<int> ring;
    ring.reserve(static_cast<size_t>(RingLength()));
    for (int ix = 0; ix < ws_; ++ix) {
        ring.push_back(GridVertex(grid, ix, 0));
    }
    for (int iy = 0; iy < ls_; ++iy) {
        ring.push_back(GridVertex(grid, ws_, iy));
    }
    for (int ix = ws_; ix > 0; --ix) {
        ring.push_back(GridVertex(grid, ix, ls_));
    }
    for (int iy = ls_; iy > 0; --iy) {
        ring.push_back(GridVertex(grid, 0, iy));
    }
    return ring;
}

void BoxBuilder::AddQuad(int a, int b, int c, int d, DWORD smooth) {
    const auto add = [&](int p, int q, int r, int va, int vb, int vc) {
        Face& f = mesh_.faces[static_cast<size_t>(nextFace_++)];
        f.setVerts(static_cast<DWORD>(p), static_cast<DWORD>(q), static_cast<DWORD>(r));
        f.setSmGroup(smooth);
        f.setEdgeVisFlags(va, vb, vc);
    };
    if (flip_) {
        add(b, a, c, 1, 0, 1);
        add(d, c, a, 1, 0, 1);
    } else {
        add(a, b, c, 1, 1, 0);
        add(c, d, a, 1, 1, 0);
    }
}

void BoxBuilder::AddFaces() {
    for (int iy = 0; iy < ls_; ++iy) {
        for (int ix = 0; ix < ws_; ++ix) {
            AddQuad(GridVertex(0, ix, iy), GridVertex(0, ix, iy + 1), GridVertex(0, ix + 1, iy + 1),
                    GridVertex(0, ix + 1, iy), kSmoothBottom);
        }
    }
    for (int iy = 0; iy < ls_; ++iy) {
        for (int ix = 0; ix < ws_; ++ix) {
            AddQuad(GridVertex(1, ix, iy), GridVertex(1, ix + 1, iy), GridVertex(1, ix + 1, iy + 1),
                    GridVertex(1, ix, iy + 1), kSmoothTop);
        }
    }

    // Rows of the side bands from the bottom border through the inner rings to the top border.
    const int ringLength = RingLength();
    const int gridVerts = 2 * (ls_ + 1) * (ws_ + 1);
    std::vector<std::vector<int>> rows;
    rows.push_back(BorderRing(0));
    for (int k = 1; k < hs_; ++k) {
        std::vector<int> ring(static_cast<size_t>(ringLength));
        for (int i = 0; i < ringLength; ++i) {
            ring[static_cast<size_t>(i)] = gridVerts + (k - 1) * ringLength + i;
        }
        rows.push_back(std::move(ring));
    }
    rows.push_back(BorderRing(1));

    const int sideStart[4] = {0, ws_, ws_ + ls_, 2 * ws_ + ls_};
    const int sideSteps[4] = {ws_, ls_, ws_, ls_};
    for (int side = 0; side < 4; ++side) {
        for (int k = 0; k < hs_; ++k) {
            const std::vector<int>& lower = rows[static_cast<size_t>(k)];
            const std::vector<int>& upper = rows[static_cast<size_t>(k + 1)];
            for (int s = 0; s < sideSteps[side]; ++s) {
                const auto start = static_cast<size_t>(sideStart[side] + s);
                const auto end = static_cast<size_t>((sideStart[side] + s + 1) % ringLength);
                AddQuad(lower[start], lower[end], upper[end], upper[start], kSmoothSide[side]);
            }
        }
    }
}

void BoxBuilder::AddMaterialIds() {
    faceSides_.resize(mesh_.faces.size());
    for (size_t i = 0; i < mesh_.faces.size(); ++i) {
        const Face& f = mesh_.faces[i];
        const Point3& p0 = mesh_.getVert(static_cast<int>(f.v[0]));
        const Point3& p1 = mesh_.getVert(static_cast<int>(f.v[1]));
        const Point3& p2 = mesh_.getVert(static_cast<int>(f.v[2]));
        faceSides_[i] = SideOfNormal((p1 - p0) ^ (p2 - p0));
        mesh_.setFaceMtlIndex(static_cast<int>(i), MaterialOfSide(faceSides_[i]));
    }
}

// Three grids: the x sides (length by height), the y sides (width by height) and the z sides
// (width by length).
void BoxBuilder::AddTextureVertices() {
    const int grids[3][2] = {{ls_, hs_}, {ws_, hs_}, {ws_, ls_}};
    int count = 0;
    for (const auto& g : grids) {
        count += (g[0] + 1) * (g[1] + 1);
    }
    mesh_.setNumTVerts(count);
    int next = 0;
    for (const auto& g : grids) {
        const float du = 1.0f / static_cast<float>(g[0]);
        const float dv = 1.0f / static_cast<float>(g[1]);
        float v = 0.0f;
        for (int j = 0; j <= g[1]; ++j) {
            float u = 0.0f;
            for (int i = 0; i <= g[0]; ++i) {
                mesh_.getTVert(next++) = UVVert(u, v, 0.0f);
                u += du;
            }
            v += dv;
        }
    }
}

int BoxBuilder::TextureVertex(Side side, const Point3& p) const {
    const float l = NonZero(l_);
    const float w = NonZero(w_);
    const float h = NonZero(h_);
    const int xGrid = (ls_ + 1) * (hs_ + 1);
    const int yGrid = (ws_ + 1) * (hs_ + 1);
    // The vertex of a grid of uSegs by vSegs segments, counted from `base`, that the point's two
    // fractions fall in; u runs the other way on the sides seen mirrored.
    const auto cell = [](int base, float u, int uSegs, float v, int vSegs, bool mirrored) {
        int i = GridIndex(u * static_cast<float>(uSegs), uSegs);
        const int j = GridIndex(v * static_cast<float>(vSegs), vSegs);
        if (mirrored) {
            i = uSegs - i;
        }
        return base + j * (uSegs + 1) + i;
    };
    switch (side) {
        case kPosX:
        case kNegX:
            return cell(0, (p.y + l_ / 2.0f) / l, ls_, p.z / h, hs_, side == kNegX);
        case kPosY:
        case kNegY:
            return cell(xGrid, (p.x + w_ / 2.0f) / w, ws_, p.z / h, hs_, side == kPosY);
        case kPosZ:
        case kNegZ:
            return cell(xGrid + yGrid, (p.x + w_ / 2.0f) / w, ws_, (p.y + l_ / 2.0f) / l, ls_,
                        side == kNegZ);
    }
    return 0;
}

void BoxBuilder::AddTextureFaces() {
    mesh_.setNumTVFaces(mesh_.getNumFaces());
    for (size_t f = 0; f < mesh_.faces.size(); ++f) {
        const Face& face = mesh_.faces[f];
        DWORD t[3];
        for (int c = 0; c < 3; ++c) {
            const Point3& p = mesh_.getVert(static_cast<int>(face.v[c]));
            t[c] = static_cast<DWORD>(TextureVertex(faceSides_[f], p));
        }
        mesh_.tvFace[f].setTVerts(t[0], t[1], t[2]);
    }
}

}  // namespace

void BuildCollBoxMesh(Mesh& mesh, float length, float width, float height, int widthSegs,
                      int lengthSegs, int heightSegs, bool mapping) {
    const int ws = std::clamp(widthSegs, kMinSegments, kMaxSegments);
    const int ls = std::clamp(lengthSegs, kMinSegments, kMaxSegments);
    const int hs = std::clamp(heightSegs, kMinSegments, kMaxSegments);
    BoxBuilder(mesh, length, width, height, ws, ls, hs).Build(mapping);
}
