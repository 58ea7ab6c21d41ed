// The record of one model fitted by one criterion to one pair's table: the
// rows of `dyvern-cli fit`, and the estimates and distances of models.txt.
#pragma once

#include "estimate/pair_fit.h"
#include "model/model_family.h"
#include "model/substitution_rates.h"
#include "report/record_columns.h"

namespace dyvern {

struct FitRecord {
    PairNames pair;
    int sites;  // n
    const PairFit& fit;
};

// "ml", "ls", "formula".
const char* CriterionWord(Criterion criterion);

// The fit's status word, or "d-high-infinite" for an otherwise ordinary fit
// whose interval of d has no upper end.
const char* FitStatusColumn(const PairFit& fit);

// What likelihood alone estimates: nothing under least squares or a formula.
inline Value LikelihoodOnly(const PairFit& fit, Value value) {
    return fit.criterion == Criterion::MaxLikelihood ? value : Value();
}

// What a variance gives: likelihood's observed information, a formula's
// delta method; least squares has none.
inline Value WithVariance(const PairFit& fit, double value) {
    return fit.criterion == Criterion::LeastSquares ? Value() : Value(value);
}

// The fit test's numbers, where it is defined.
inline Value Tested(const PairFit& fit, double value) {
    return fit.gof.defined ? Value(value) : Value();
}

inline constexpr Column<FitRecord> kFitColumns[] = {
    {"seq1", [](const FitRecord& r) -> Value { return r.pair.seq1; }},
    {"seq2", [](const FitRecord& r) -> Value { return r.pair.seq2; }},
    {"sites", [](const FitRecord& r) -> Value { return r.sites; }},
    {"model", [](const FitRecord& r) -> Value { return FactsOf(r.fit.model).word; }, "Model"},
    {"criterion", [](const FitRecord& r) -> Value { return CriterionWord(r.fit.criterion); }},
    {"bt", [](const FitRecord& r) -> Value { return r.fit.bt; }},
    {"kappa", [](const FitRecord& r) -> Value { return r.fit.kappa; }},
    {"piA", [](const FitRecord& r) -> Value { return r.fit.pi[A]; }},
    {"piC", [](const FitRecord& r) -> Value { return r.fit.pi[C]; }},
    {"piG", [](const FitRecord& r) -> Value { return r.fit.pi[G]; }},
    {"piT", [](const FitRecord& r) -> Value { return r.fit.pi[T]; }},
    {"d", [](const FitRecord& r) -> Value { return r.fit.d; }},
    {"se_d", [](const FitRecord& r) { return WithVariance(r.fit, r.fit.seD); }, "se(d)"},
    {"d_low", [](const FitRecord& r) { return LikelihoodOnly(r.fit, r.fit.dLow); }, "lower"},
    {"d_high", [](const FitRecord& r) { return LikelihoodOnly(r.fit, r.fit.dHigh); }, "upper"},
    {"se_kappa", [](const FitRecord& r) { return LikelihoodOnly(r.fit, r.fit.seKappa); }},
    {"lnL", [](const FitRecord& r) -> Value { return r.fit.lnL; }},
    {"SS", [](const FitRecord& r) -> Value { return r.fit.ss; }},
    {"X2", [](const FitRecord& r) { return Tested(r.fit, r.fit.gof.statistic); }},
    {"df",
     [](const FitRecord& r) {
         return r.fit.criterion == Criterion::Formula ? Value() : Value(r.fit.df);
     }},
    {"P", [](const FitRecord& r) { return Tested(r.fit, r.fit.gof.prob); }},
    {"k", [](const FitRecord& r) { return LikelihoodOnly(r.fit, r.fit.k); }},
    {"AIC", [](const FitRecord& r) { return LikelihoodOnly(r.fit, r.fit.aic); }},
    {"AICc", [](const FitRecord& r) { return LikelihoodOnly(r.fit, r.fit.aicc); }},
    {"BIC", [](const FitRecord& r) { return LikelihoodOnly(r.fit, r.fit.bic); }},
    // models.txt shows the plain word: the interval's open end is in its own column.
    {"status", [](const FitRecord& r) -> Value { return FitStatusColumn(r.fit); }, nullptr,
     [](const FitRecord& r) -> Value { return StatusWord(r.fit.status); }},
    // The family's other parameters, after the window's columns.
    {"kappaR", [](const FitRecord& r) -> Value { return r.fit.kappaR; }},
    {"kappaY", [](const FitRecord& r) -> Value { return r.fit.kappaY; }},
    {"gc", [](const FitRecord& r) -> Value { return r.fit.gc; }},
    {"rAC", [](const FitRecord& r) -> Value { return r.fit.rates[kAC]; }},
    {"rAG", [](const FitRecord& r) -> Value { return r.fit.rates[kAG]; }},
    {"rAT", [](const FitRecord& r) -> Value { return r.fit.rates[kAT]; }},
    {"rCG", [](const FitRecord& r) -> Value { return r.fit.rates[kCG]; }},
    {"rCT", [](const FitRecord& r) -> Value { return r.fit.rates[kCT]; }},
    {"rGT", [](const FitRecord& r) -> Value { return r.fit.rates[kGT]; }},
    {"alpha", [](const FitRecord& r) -> Value { return r.fit.alpha; }},
    {"pinv", [](const FitRecord& r) -> Value { return r.fit.pinv; }},
};

}  // namespace dyvern
