#include "tests/test_tables.h"

#include <cmath>
#include <fstream>

namespace dyvern::testing {

DivergenceCounts WorkedTable() {
    DivergenceCounts counts{};
    for (int i = 0; i < 4; ++i) {
        for (int j = 0; j < 4; ++j) {
            switch (KindOfPair(i, j)) {
                case PairKind::Identical:
                    counts[i][j] = 40;
                    break;
                case PairKind::Transition:
                    counts[i][j] = 6;
                    break;
                case PairKind::Transversion:
                    counts[i][j] = 2;
                    break;
            }
        }
    }
    return counts;
}

DivergenceCounts SampleTable() {
    std::ifstream in(DYVERN_SAMPLE_DATA);
    int n = 0;
    in >> n;
    DivergenceCounts counts{};
    for (auto& row : counts)
        for (double& cell : row) in >> cell;
    return counts;
}

double CellSum(const DivergenceCounts& counts) {
    double sum = 0.0;
    for (const auto& row : counts)
        for (const double cell : row) sum += cell;
    return sum;
}

FitTarget StateFor(const DivergenceCounts& counts, ModelKind kind, Criterion criterion,
                       int siteCount) {
    FitTarget state;
    state.observed = counts;
    state.siteCount = siteCount >= 0 ? siteCount : static_cast<int>(std::lround(CellSum(counts)));
    state.modelKind = kind;
    state.criterion = criterion;
    return state;
}

}  // namespace dyvern::testing
