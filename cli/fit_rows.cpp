#include "fit_rows.h"

#include <cmath>

#include "model_choice.h"

namespace dyvern::cli {
namespace {

// Only what the criterion estimated: NA for the rest.
Value LikelihoodOnly(const PairFit& fit, double value) {
    return fit.criterion == Criterion::MaxLikelihood ? Value(value) : Value();
}

}  // namespace

const std::vector<std::string>& FitColumns() {
    static const std::vector<std::string> kColumns = {
        "seq1", "seq2", "sites", "model", "criterion", "bt",       "kappa", "piA",    "piC",
        "piG",  "piT",  "d",     "se_d",  "d_low",     "d_high",   "se_kappa", "lnL", "SS",
        "X2",   "df",   "P",     "k",     "AIC",       "AICc",     "BIC",   "status"};
    return kColumns;
}

std::string StatusColumn(const PairFit& fit) {
    if (fit.status == FitStatus::Ok && fit.dHigh == HUGE_VAL) return "d-high-infinite";
    return StatusWord(fit.status);
}

std::vector<Value> FitRow(const NamedTable& table, const PairFit& fit) {
    const bool tested = fit.gof.defined;
    const bool likelihood = fit.criterion == Criterion::MaxLikelihood;
    return {table.seq1,
            table.seq2,
            table.siteCount,
            ModelWord(fit.model),
            CriterionWord(fit.criterion),
            fit.bt,
            fit.kappa,
            fit.pi[0],
            fit.pi[1],
            fit.pi[2],
            fit.pi[3],
            fit.d,
            LikelihoodOnly(fit, fit.seD),
            LikelihoodOnly(fit, fit.dLow),
            LikelihoodOnly(fit, fit.dHigh),
            LikelihoodOnly(fit, fit.seKappa),
            fit.lnL,
            fit.ss,
            tested ? Value(fit.gof.statistic) : Value(),
            fit.df,
            tested ? Value(fit.gof.prob) : Value(),
            likelihood ? Value(fit.k) : Value(),
            LikelihoodOnly(fit, fit.aic),
            LikelihoodOnly(fit, fit.aicc),
            LikelihoodOnly(fit, fit.bic),
            StatusColumn(fit)};
}

bool ReportUnfitted(const NamedTable& table, const PairFit& fit, std::ostream& err) {
    if (fit.status != FitStatus::Unfittable) return false;
    err << table.seq1 << " and " << table.seq2 << ": " << ModelWord(fit.model)
        << " cannot be fitted: " << fit.problem << "\n";
    return true;
}

}  // namespace dyvern::cli
