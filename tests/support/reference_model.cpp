#include "support/reference_model.h"

#include <cmath>

namespace dyvern::testing {
namespace {

using Matrix = std::array<std::array<double, 4>, 4>;

Matrix Product(const Matrix& a, const Matrix& b) {
    Matrix c{};
    for (int i = 0; i < 4; ++i)
        for (int k = 0; k < 4; ++k)
            for (int j = 0; j < 4; ++j) c[i][j] += a[i][k] * b[k][j];
    return c;
}

// exp(m): halved until no entry reaches 1/2, a Taylor series of 30 terms,
// then squared back up.
Matrix Exponential(Matrix m, double largest) {
    int halvings = 0;
    while (std::ldexp(largest, -halvings) >= 0.5) ++halvings;
    Matrix sum{}, term{};
    for (int i = 0; i < 4; ++i) sum[i][i] = term[i][i] = 1.0;
    for (int k = 1; k <= 30; ++k) {
        term = Product(term, m);
        for (int i = 0; i < 4; ++i) {
            for (int j = 0; j < 4; ++j) {
                term[i][j] = std::ldexp(term[i][j], -halvings) / k;
                sum[i][j] += term[i][j];
            }
        }
    }
    for (int s = 0; s < halvings; ++s) sum = Product(sum, sum);
    return sum;
}

}  // namespace

DivergenceCounts ReferenceJoint(double bt, double kappa, const Frequencies& pi) {
    Matrix rates{};
    double largest = 0.0;
    for (int i = 0; i < 4; ++i) {
        for (int j = 0; j < 4; ++j) {
            if (i == j) continue;
            const bool transition = i + j == A + G || i + j == C + T;
            rates[i][j] = (transition ? kappa : 1.0) * pi[j] * bt;
            rates[i][i] -= rates[i][j];
        }
        largest = std::fmax(largest, -rates[i][i]);
    }
    const Matrix p = Exponential(rates, largest);
    DivergenceCounts joint{};
    for (int i = 0; i < 4; ++i)
        for (int j = 0; j < 4; ++j) joint[i][j] = pi[i] * p[i][j];
    return joint;
}

double ReferenceLnL(const DivergenceCounts& counts, const DivergenceCounts& joint) {
    double lnL = 0.0;
    for (int i = 0; i < 4; ++i)
        for (int j = 0; j < 4; ++j)
            if (counts[i][j] != 0.0) lnL += counts[i][j] * std::log(joint[i][j]);
    return lnL;
}

}  // namespace dyvern::testing
