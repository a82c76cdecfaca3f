// The host's decomposition of an affine transform into translation, rotation, stretch and sign.
#pragma once

#include <span>

#include "host/matrix3.h"

// M == Inverse(U) * K * U * R(q) * (f * I) * T(t), with U = MakeMatrix(u), K = Scale(k): a stretch
// k along the axes of u, a rotation q, a sign f (-1 when M mirrors) and the translation t.
struct AffineParts {
    Point3 t;
    Quat q;
    Quat u;
    Point3 k;
    float f = 1.0f;
};

void decomp_affine(const Matrix3& m, AffineParts* parts);

// decomp_affine of each matrix, parts[i] for m[i], with the same results; several matrices are
// worked on at once, which is faster than one call per matrix.
void decomp_affine_many(std::span<const Matrix3> m, std::span<AffineParts> parts);
