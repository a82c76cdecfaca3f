#include "host/mesh.h"

void Mesh::setNumFaces(int n, BOOL, BOOL) {
    const size_t count = static_cast<size_t>(n > 0 ? n : 0);
    faces.resize(count);
    if (!tvFace.empty()) {
        tvFace.resize(count);
    }
    faceSel.SetSize(static_cast<int>(count), true);
}

void Mesh::buildNormals() {
    faceNormals_.resize(faces.size());
    const size_t nv = verts.size();
    for (size_t i = 0; i < faces.size(); ++i) {
        const Face& f = faces[i];
        if (f.v[0] >= nv || f.v[1] >= nv || f.v[2] >= nv) {
            faceNormals_[i] = Point3();
            continue;
        }
        const Point3& p0 = verts[f.v[0]];
        const Point3& p1 = verts[f.v[1]];
        const Point3& p2 = verts[f.v[2]];
        faceNormals_[i] = Normalize((p1 - p0) ^ (p2 - p1));
    }
}
