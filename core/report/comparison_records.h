// The records of a comparison of the models on one pair: a row per model, a
// row per likelihood-ratio test and a row per test of symmetry, as
// `dyvern-cli compare` writes them and models.txt shows them.
#pragma once

#include <cstddef>

#include "estimate/model_comparison.h"
#include "report/record_columns.h"

namespace dyvern {

struct ModelRecord {
    PairNames pair;
    const ModelComparison& comparison;
    std::size_t model;  // in the comparison's order
    const PairFit& Fit() const { return comparison.fits[model]; }
};

inline constexpr Column<ModelRecord> kModelColumns[] = {
    {"seq1", [](const ModelRecord& r) -> Value { return r.pair.seq1; }},
    {"seq2", [](const ModelRecord& r) -> Value { return r.pair.seq2; }},
    {"model", [](const ModelRecord& r) -> Value { return FactsOf(r.Fit().model).word; }, "Model"},
    {"k", [](const ModelRecord& r) -> Value { return r.Fit().k; }},
    {"lnL", [](const ModelRecord& r) -> Value { return r.Fit().lnL; }},
    {"AIC", [](const ModelRecord& r) -> Value { return r.Fit().aic; }},
    {"AICc", [](const ModelRecord& r) -> Value { return r.Fit().aicc; }},
    {"BIC", [](const ModelRecord& r) -> Value { return r.Fit().bic; }},
    {"w_AIC", [](const ModelRecord& r) -> Value { return r.comparison.aicWeights[r.model]; },
     "w(AIC)"},
    {"w_BIC", [](const ModelRecord& r) -> Value { return r.comparison.bicWeights[r.model]; },
     "w(BIC)"},
};

struct TestRecord {
    PairNames pair;
    const LikelihoodRatioTest& test;
};

inline constexpr Column<TestRecord> kTestColumns[] = {
    {"seq1", [](const TestRecord& r) -> Value { return r.pair.seq1; }},
    {"seq2", [](const TestRecord& r) -> Value { return r.pair.seq2; }},
    {"null", [](const TestRecord& r) -> Value { return FactsOf(r.test.null).word; }, "Null"},
    {"alternative", [](const TestRecord& r) -> Value { return FactsOf(r.test.alternative).word; }},
    {"df", [](const TestRecord& r) -> Value { return r.test.df; }},
    {"LR", [](const TestRecord& r) -> Value { return r.test.statistic; }, "statistic"},
    {"P", [](const TestRecord& r) -> Value { return r.test.prob; }},
};

// A matched-pairs test of the table's symmetry.
struct SymmetryRecord {
    PairNames pair;
    const NamedSymmetryTest& named;
    Value Defined(double value) const { return named.test.defined ? Value(value) : Value(); }
};

inline constexpr Column<SymmetryRecord> kSymmetryColumns[] = {
    {"seq1", [](const SymmetryRecord& r) -> Value { return r.pair.seq1; }},
    {"seq2", [](const SymmetryRecord& r) -> Value { return r.pair.seq2; }},
    {"test", [](const SymmetryRecord& r) -> Value { return r.named.name; }, "Test"},
    {"statistic", [](const SymmetryRecord& r) { return r.Defined(r.named.test.statistic); }},
    {"df",
     [](const SymmetryRecord& r) {
         return r.named.test.defined ? Value(r.named.test.df) : Value();
     }},
    {"P", [](const SymmetryRecord& r) { return r.Defined(r.named.test.prob); }},
};

}  // namespace dyvern
