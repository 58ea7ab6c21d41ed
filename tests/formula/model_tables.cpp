#include "model_tables.h"

#include <cmath>
#include <utility>

namespace dyvern::testing {
namespace {

using Matrix = std::array<std::array<double, 4>, 4>;

constexpr std::pair<int, int> kPairs[6] = {{A, C}, {A, G}, {A, T}, {C, G}, {C, T}, {G, T}};

// Q with its rows adding up to 0, scaled so that -sum pi_i Q_ii = 1.
Matrix RateMatrix(const ReversibleModel& m) {
    Matrix q{};
    for (int k = 0; k < 6; ++k) {
        const auto [i, j] = kPairs[k];
        q[i][j] = m.exchange[k] * m.pi[j];
        q[j][i] = m.exchange[k] * m.pi[i];
    }
    double rate = 0.0;
    for (int i = 0; i < 4; ++i) {
        for (int j = 0; j < 4; ++j)
            if (j != i) q[i][i] -= q[i][j];
        rate -= m.pi[i] * q[i][i];
    }
    for (auto& row : q)
        for (double& x : row) x /= rate;
    return q;
}

// Cyclic Jacobi rotations until the symmetric s is diagonal; the columns of
// v are its eigenvectors.
void Diagonalise(Matrix& s, Matrix& v) {
    v = Matrix{};
    for (int i = 0; i < 4; ++i) v[i][i] = 1.0;
    for (int sweep = 0; sweep < 50; ++sweep) {
        double off = 0.0;
        for (int p = 0; p < 4; ++p)
            for (int q = p + 1; q < 4; ++q) off += s[p][q] * s[p][q];
        if (off < 1e-40) return;
        for (int p = 0; p < 4; ++p) {
            for (int q = p + 1; q < 4; ++q) {
                if (s[p][q] == 0.0) continue;
                const double theta = (s[q][q] - s[p][p]) / (2.0 * s[p][q]);
                const double t =
                    (theta >= 0 ? 1.0 : -1.0) / (std::fabs(theta) + std::sqrt(theta * theta + 1.0));
                const double c = 1.0 / std::sqrt(t * t + 1.0), sn = t * c;
                for (int k = 0; k < 4; ++k) {  // s <- s J, v <- v J
                    const double skp = s[k][p], skq = s[k][q];
                    s[k][p] = c * skp - sn * skq;
                    s[k][q] = sn * skp + c * skq;
                    const double vkp = v[k][p], vkq = v[k][q];
                    v[k][p] = c * vkp - sn * vkq;
                    v[k][q] = sn * vkp + c * vkq;
                }
                for (int k = 0; k < 4; ++k) {  // s <- J' s
                    const double spk = s[p][k], sqk = s[q][k];
                    s[p][k] = c * spk - sn * sqk;
                    s[q][k] = sn * spk + c * sqk;
                }
            }
        }
    }
}

}  // namespace

DivergenceCounts ExpectedTable(const ReversibleModel& model, double t,
                               std::optional<double> gammaShape, double n) {
    const Matrix q = RateMatrix(model);
    Matrix s{}, v{};
    for (int i = 0; i < 4; ++i)
        for (int j = 0; j < 4; ++j)
            s[i][j] = std::sqrt(model.pi[i]) * q[i][j] / std::sqrt(model.pi[j]);
    Diagonalise(s, v);
    std::array<double, 4> decay{};
    for (int k = 0; k < 4; ++k) {
        const double lambda = s[k][k];
        decay[k] = gammaShape ? std::pow(1.0 - lambda * t / *gammaShape, -*gammaShape)
                              : std::exp(lambda * t);
    }
    DivergenceCounts table{};
    for (int i = 0; i < 4; ++i) {
        for (int j = 0; j < 4; ++j) {
            double sum = 0.0;
            for (int k = 0; k < 4; ++k) sum += v[i][k] * decay[k] * v[j][k];
            table[i][j] = n * std::sqrt(model.pi[i] * model.pi[j]) * sum;
        }
    }
    return table;
}

double RateTrace(const ReversibleModel& model) {
    const Matrix q = RateMatrix(model);
    return q[A][A] + q[C][C] + q[G][G] + q[T][T];
}

}  // namespace dyvern::testing
