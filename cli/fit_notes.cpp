#include "fit_notes.h"

#include "model_choice.h"

namespace dyvern::cli {

bool ReportUnfitted(const NamedTable& table, const PairFit& fit, std::ostream& err) {
    if (fit.status != FitStatus::Unfittable) return false;
    err << table.seq1 << " and " << table.seq2 << ": " << FactsOf(fit.model).word
        << " cannot be fitted: " << fit.problem << "\n";
    return true;
}

}  // namespace dyvern::cli
