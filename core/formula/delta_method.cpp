#include "formula/delta_method.h"

namespace dyvern {

double ClassVariance(const std::array<double, 4>& g, const std::array<double, 4>& shares,
                     double n) {
    double squares = 0.0, mean = 0.0;
    for (int c = 0; c < 4; ++c) {
        squares += g[c] * g[c] * shares[c];
        mean += g[c] * shares[c];
    }
    return (squares - mean * mean) / n;
}

double CellVariance(const ShareTable<double>& F, const ShareTable<double>& g, double n) {
    double squares = 0.0, mean = 0.0;
    for (int i = 0; i < 4; ++i) {
        for (int j = 0; j < 4; ++j) {
            squares += g[i][j] * g[i][j] * F[i][j];
            mean += g[i][j] * F[i][j];
        }
    }
    return (squares - mean * mean) / n;
}

}  // namespace dyvern
