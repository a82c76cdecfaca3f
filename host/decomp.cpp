#include "host/decomp.h"

#include <algorithm>
#include <array>
#include <cmath>
#include <span>

namespace {

using Mat = std::array<std::array<double, 3>, 3>;

Mat Multiply(const Mat& a, const Mat& b) {
    Mat r{};
    for (int i = 0; i < 3; ++i) {
        for (int j = 0; j < 3; ++j) {
            r[i][j] = a[i][0] * b[0][j] + a[i][1] * b[1][j] + a[i][2] * b[2][j];
        }
    }
    return r;
}

Mat Transpose(const Mat& a) {
    Mat r{};
    for (int i = 0; i < 3; ++i) {
        for (int j = 0; j < 3; ++j) {
            r[i][j] = a[j][i];
        }
    }
    return r;
}

double Det(const Mat& a) {
    return a[0][0] * (a[1][1] * a[2][2] - a[1][2] * a[2][1]) -
           a[0][1] * (a[1][0] * a[2][2] - a[1][2] * a[2][0]) +
           a[0][2] * (a[1][0] * a[2][1] - a[1][1] * a[2][0]);
}

// One Jacobi rotation in the plane (p, q): zeroes a[p][q] and turns the eigenvectors with it.
void JacobiRotate(Mat& a, Mat& v, int p, int q) {
    const double theta = (a[q][q] - a[p][p]) / (2.0 * a[p][q]);
    const double t =
        (theta >= 0 ? 1.0 : -1.0) / (std::fabs(theta) + std::sqrt(theta * theta + 1.0));
    const double c = 1.0 / std::sqrt(t * t + 1.0);
    const double s = t * c;
    for (int k = 0; k < 3; ++k) {
        const double akp = a[k][p], akq = a[k][q];
        a[k][p] = c * akp - s * akq;
        a[k][q] = s * akp + c * akq;
    }
    for (int k = 0; k < 3; ++k) {
        const double apk = a[p][k], aqk = a[q][k];
        a[p][k] = c * apk - s * aqk;
        a[q][k] = s * apk + c * aqk;
    }
    for (int k = 0; k < 3; ++k) {
        const double vkp = v[k][p], vkq = v[k][q];
        v[k][p] = c * vkp - s * vkq;
        v[k][q] = s * vkp + c * vkq;
    }
}

// Eigen-decompositions of N symmetric matrices by cyclic Jacobi rotations: a = v * diag(e) * v^T,
// eigenvectors in the columns of v. The matrices are solved in step, rotation by rotation, so
// that the processor overlaps their chains of divisions and square roots; each one goes through
// exactly the operations it would go through alone.
template <size_t N>
void SymmetricEigen(std::array<Mat, N> a, std::array<Mat, N>& v,
                    std::array<std::array<double, 3>, N>& e) {
    std::array<bool, N> active{};
    for (size_t n = 0; n < N; ++n) {
        v[n] = Mat{{{1, 0, 0}, {0, 1, 0}, {0, 0, 1}}};
        active[n] = true;
    }
    for (int sweep = 0; sweep < 50; ++sweep) {
        bool any = false;
        for (size_t n = 0; n < N; ++n) {
            const Mat& m = a[n];
            if (active[n] && m[0][1] * m[0][1] + m[0][2] * m[0][2] + m[1][2] * m[1][2] < 1e-30) {
                active[n] = false;
            }
            any = any || active[n];
        }
        if (!any) {
            break;
        }
        for (int p = 0; p < 2; ++p) {
            for (int q = p + 1; q < 3; ++q) {
                for (size_t n = 0; n < N; ++n) {
                    if (active[n] && a[n][p][q] != 0.0) {
                        JacobiRotate(a[n], v[n], p, q);
                    }
                }
            }
        }
    }
    for (size_t n = 0; n < N; ++n) {
        e[n] = {a[n][0][0], a[n][1][1], a[n][2][2]};
    }
}

std::array<double, 3> Column(const Mat& m, int j) {
    return {m[0][j], m[1][j], m[2][j]};
}

void SetColumn(Mat& m, int j, const std::array<double, 3>& c) {
    for (int i = 0; i < 3; ++i) {
        m[i][j] = c[i];
    }
}

std::array<double, 3> Cross(const std::array<double, 3>& a, const std::array<double, 3>& b) {
    return {a[1] * b[2] - a[2] * b[1], a[2] * b[0] - a[0] * b[2], a[0] * b[1] - a[1] * b[0]};
}

double Norm(const std::array<double, 3>& a) {
    return std::sqrt(a[0] * a[0] + a[1] * a[1] + a[2] * a[2]);
}

// A unit vector orthogonal to a (a unit).
std::array<double, 3> AnyOrthogonal(const std::array<double, 3>& a) {
    const std::array<double, 3> axis =
        std::fabs(a[0]) < 0.9 ? std::array<double, 3>{1, 0, 0} : std::array<double, 3>{0, 1, 0};
    std::array<double, 3> c = Cross(a, axis);
    const double n = Norm(c);
    return {c[0] / n, c[1] / n, c[2] / n};
}

Matrix3 ToMatrix3(const Mat& m) {
    Matrix3 r;
    for (int i = 0; i < 3; ++i) {
        r[i] = Point3(static_cast<float>(m[i][0]), static_cast<float>(m[i][1]),
                      static_cast<float>(m[i][2]));
    }
    return r;
}

// Among the 24 proper signed permutations of the eigenvector columns, the one closest to the
// identity (largest trace), so that a stretch along the coordinate axes has u = identity and k in
// axis order.
void Snuggle(Mat& u, std::array<double, 3>& k) {
    static constexpr int kPerms[6][3] = {{0, 1, 2}, {0, 2, 1}, {1, 0, 2},
                                         {1, 2, 0}, {2, 0, 1}, {2, 1, 0}};
    Mat best = u;
    std::array<double, 3> bestK = k;
    double bestTrace = -1e300;
    for (const auto& perm : kPerms) {
        for (int signs = 0; signs < 8; ++signs) {
            Mat candidate{};
            std::array<double, 3> ck{};
            for (int j = 0; j < 3; ++j) {
                const double sign = (signs >> j) & 1 ? -1.0 : 1.0;
                std::array<double, 3> col = Column(u, perm[j]);
                for (double& c : col) {
                    c *= sign;
                }
                SetColumn(candidate, j, col);
                ck[j] = k[perm[j]];
            }
            if (Det(candidate) < 0) {
                continue;
            }
            const double trace = candidate[0][0] + candidate[1][1] + candidate[2][2];
            if (trace > bestTrace + 1e-12) {
                bestTrace = trace;
                best = candidate;
                bestK = ck;
            }
        }
    }
    u = best;
    k = bestK;
}

// The translation and the mirror sign of m into parts; the linear part, without its mirror, into a.
void TakeTranslationAndSign(const Matrix3& m, AffineParts* parts, Mat& a) {
    parts->t = m.GetTrans();

    for (int i = 0; i < 3; ++i) {
        for (int j = 0; j < 3; ++j) {
            a[i][j] = m[i][j];
        }
    }
    const double det = Det(a);
    parts->f = det < 0 ? -1.0f : 1.0f;
    if (det < 0) {
        for (auto& row : a) {
            for (double& v : row) {
                v = -v;
            }
        }
    }
}

// a = S * Q with S symmetric positive and Q a rotation, from the singular value decomposition
// a = U * diag(sigma) * V^T: Q = U * V^T and S = U * diag(sigma) * U^T, where u and sigma2 are
// the eigenvectors and eigenvalues of a * a^T.
void TakeRotationAndStretch(const Mat& a, Mat u, const std::array<double, 3>& sigma2,
                            AffineParts* parts) {
    std::array<double, 3> sigma{};
    double largest = 0.0;
    for (int j = 0; j < 3; ++j) {
        sigma[j] = std::sqrt(sigma2[j] > 0.0 ? sigma2[j] : 0.0);
        largest = std::max(largest, sigma[j]);
    }
    const double eps = largest * 1e-7 + 1e-30;
    Mat v{};
    int rank = 0;
    int order[3] = {0, 1, 2};
    // Largest singular values first, so that missing directions are completed from good ones.
    for (int i = 0; i < 3; ++i) {
        for (int j = i + 1; j < 3; ++j) {
            if (sigma[order[j]] > sigma[order[i]]) {
                std::swap(order[i], order[j]);
            }
        }
    }
    const Mat at = Transpose(a);
    for (int n = 0; n < 3; ++n) {
        const int j = order[n];
        if (sigma[j] <= eps) {
            continue;
        }
        const std::array<double, 3> uj = Column(u, j);
        std::array<double, 3> vj{};
        for (int r = 0; r < 3; ++r) {
            vj[r] = (at[r][0] * uj[0] + at[r][1] * uj[1] + at[r][2] * uj[2]) / sigma[j];
        }
        SetColumn(v, j, vj);
        ++rank;
    }
    if (rank < 3) {
        // Complete V to an orthonormal basis for the directions that a flattens away.
        const int j0 = order[0], j1 = order[1], j2 = order[2];
        if (rank == 0) {
            v = u;
        } else {
            if (rank == 1) {
                SetColumn(v, j1, AnyOrthogonal(Column(v, j0)));
            }
            SetColumn(v, j2, Cross(Column(v, j0), Column(v, j1)));
        }
    }
    Mat q = Multiply(u, Transpose(v));
    if (Det(q) < 0) {
        // Only when a is singular: turn the flattened direction round to keep q a rotation.
        const int j2 = order[2];
        std::array<double, 3> col = Column(v, j2);
        for (double& c : col) {
            c = -c;
        }
        SetColumn(v, j2, col);
        q = Multiply(u, Transpose(v));
    }

    parts->q = Quat(ToMatrix3(q));

    Snuggle(u, sigma);
    parts->k = Point3(static_cast<float>(sigma[0]), static_cast<float>(sigma[1]),
                      static_cast<float>(sigma[2]));
    // S = U diag(k) U^T = Inverse(Ur) K Ur with the row matrix Ur = U^T.
    parts->u = Quat(ToMatrix3(Transpose(u)));
}

template <size_t N>
void DecomposeGroup(const Matrix3* m, AffineParts* parts) {
    std::array<Mat, N> a{};
    std::array<Mat, N> aat{};
    for (size_t n = 0; n < N; ++n) {
        TakeTranslationAndSign(m[n], &parts[n], a[n]);
        aat[n] = Multiply(a[n], Transpose(a[n]));
    }
    std::array<Mat, N> u;
    std::array<std::array<double, 3>, N> sigma2;
    SymmetricEigen<N>(aat, u, sigma2);
    for (size_t n = 0; n < N; ++n) {
        TakeRotationAndStretch(a[n], u[n], sigma2[n], &parts[n]);
    }
}

}  // namespace

void decomp_affine(const Matrix3& m, AffineParts* parts) {
    DecomposeGroup<1>(&m, parts);
}

void decomp_affine_many(std::span<const Matrix3> m, std::span<AffineParts> parts) {
    constexpr size_t kGroup = 4;
    const size_t count = std::min(m.size(), parts.size());
    size_t i = 0;
    for (; i + kGroup <= count; i += kGroup) {
        DecomposeGroup<kGroup>(&m[i], &parts[i]);
    }
    for (; i < count; ++i) {
        DecomposeGroup<1>(&m[i], &parts[i]);
    }
}
