#include "model/symmetric_function.h"

#include <algorithm>
#include <cmath>
#include <utility>

namespace dyvern {
namespace {

constexpr int kMaxSweeps = 60;
// Below this gap, divided differences come from the Taylor series about the
// points' mean (error of order gap^4 for two points, gap^3 for three)
// rather than from differences of values (error eps / gap, eps / gap^2):
// about eps^(1/5), where the two errors meet.
constexpr double kNearGap = 7e-4;

double OffDiagonal(const Matrix4<double>& a) {
    double sum = 0.0;
    for (int i = 0; i < 4; ++i)
        for (int j = i + 1; j < 4; ++j) sum += a[i][j] * a[i][j];
    return sum;
}

// One Jacobi rotation that zeroes a[p][q], applied to a and to the vectors.
void Rotate(Matrix4<double>& a, Matrix4<double>& v, int p, int q) {
    if (a[p][q] == 0.0) return;
    const double theta = (a[q][q] - a[p][p]) / (2.0 * a[p][q]);
    const double t = (theta >= 0.0 ? 1.0 : -1.0) / (std::fabs(theta) + std::hypot(theta, 1.0));
    const double c = 1.0 / std::hypot(t, 1.0), s = t * c;
    for (int k = 0; k < 4; ++k) {
        const double akp = a[k][p], akq = a[k][q];
        a[k][p] = c * akp - s * akq;
        a[k][q] = s * akp + c * akq;
    }
    for (int k = 0; k < 4; ++k) {
        const double apk = a[p][k], aqk = a[q][k];
        a[p][k] = c * apk - s * aqk;
        a[q][k] = s * apk + c * aqk;
    }
    for (int k = 0; k < 4; ++k) {
        const double vkp = v[k][p], vkq = v[k][q];
        v[k][p] = c * vkp - s * vkq;
        v[k][q] = s * vkp + c * vkq;
    }
}

bool Near(double a, double b) { return std::fabs(a - b) <= kNearGap; }

}  // namespace

SymmetricEigen EigenOf(const Matrix4<double>& m) {
    Matrix4<double> a = m;
    Matrix4<double> v{};
    for (int i = 0; i < 4; ++i) v[i][i] = 1.0;
    double scale = 0.0;
    for (const auto& row : m)
        for (const double x : row) scale += x * x;
    for (int sweep = 0; sweep < kMaxSweeps && OffDiagonal(a) > 1e-36 * scale; ++sweep)
        for (int p = 0; p < 3; ++p)
            for (int q = p + 1; q < 4; ++q) Rotate(a, v, p, q);
    std::array<int, 4> order{0, 1, 2, 3};
    std::sort(order.begin(), order.end(), [&](int x, int y) { return a[x][x] < a[y][y]; });
    SymmetricEigen eigen;
    for (int k = 0; k < 4; ++k) {
        eigen.values[k] = a[order[k]][order[k]];
        for (int i = 0; i < 4; ++i) eigen.vectors[i][k] = v[i][order[k]];
    }
    return eigen;
}

double DividedDifference(const ScalarFunction& f, double a, double b) {
    if (!Near(a, b)) return (f.At(a).at[0] - f.At(b).at[0]) / (a - b);
    const double half = 0.5 * (a - b);
    const ScalarDerivatives d = f.At(0.5 * (a + b));
    return d.at[1] + d.at[3] * half * half / 6.0;
}

double DividedDifference(const ScalarFunction& f, double a, double b, double c) {
    std::array<double, 3> x{a, b, c};
    std::sort(x.begin(), x.end());
    if (!Near(x[0], x[2]))
        return (DividedDifference(f, x[0], x[1]) - DividedDifference(f, x[1], x[2])) /
               (x[0] - x[2]);
    const double mean = (x[0] + x[1] + x[2]) / 3.0;
    const double u = x[0] - mean, v = x[1] - mean, w = x[2] - mean;
    const ScalarDerivatives d = f.At(mean);
    return 0.5 * d.at[2] + d.at[4] * (u * u + v * v + w * w + u * v + u * w + v * w) / 24.0;
}

Matrix4<double> ApplyTo(const ScalarFunction& f, const Matrix4<double>& m) {
    const SymmetricEigen eigen = EigenOf(m);
    std::array<double, 4> fx{};
    for (int k = 0; k < 4; ++k) fx[k] = f.At(eigen.values[k]).at[0];
    Matrix4<double> out{};
    for (int i = 0; i < 4; ++i)
        for (int j = 0; j < 4; ++j)
            for (int k = 0; k < 4; ++k)
                out[i][j] += eigen.vectors[i][k] * fx[k] * eigen.vectors[j][k];
    return out;
}

}  // namespace dyvern
