#include "report/fit_record.h"

#include <cmath>

namespace dyvern {

const char* CriterionWord(Criterion criterion) {
    return criterion == Criterion::MaxLikelihood ? "ml" : "ls";
}

const char* FitStatusColumn(const PairFit& fit) {
    if (fit.status == FitStatus::Ok && fit.dHigh == HUGE_VAL) return "d-high-infinite";
    return StatusWord(fit.status);
}

}  // namespace dyvern
