#include "report/fit_record.h"

#include <cmath>

namespace dyvern {

const char* CriterionWord(Criterion criterion) {
    switch (criterion) {
        case Criterion::MaxLikelihood:
            return "ml";
        case Criterion::LeastSquares:
            return "ls";
        case Criterion::Formula:
            break;
    }
    return "formula";
}

const char* FitStatusColumn(const PairFit& fit) {
    if (fit.status == FitStatus::Ok && fit.dHigh == HUGE_VAL) return "d-high-infinite";
    return StatusWord(fit.status);
}

}  // namespace dyvern
