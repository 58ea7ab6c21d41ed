#include "model/criteria.h"

namespace dyvern {

PairData MakePairData(const DivergenceCounts& counts, int siteCount) {
    PairData data;
    data.counts = counts;
    data.siteCount = siteCount;
    for (int i = 0; i < 4; ++i) {
        for (int j = 0; j < 4; ++j) {
            const PairKind kind = KindOfPair(i, j);
            if (kind == PairKind::Transition) data.transitions += counts[i][j];
            if (kind == PairKind::Transversion) data.transversions += counts[i][j];
        }
    }
    return data;
}

}  // namespace dyvern
