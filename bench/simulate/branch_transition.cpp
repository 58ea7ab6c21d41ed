#include "branch_transition.h"

#include <cstddef>

#include "model/divergence.h"
#include "model/hkymodel.h"

namespace dyvern {
namespace {

std::array<double, 4> Cumulate(const std::array<double, 4>& values) {
    std::array<double, 4> sums{};
    double sum = 0.0;
    for (std::size_t k = 0; k < 3; ++k) sums[k] = sum += values[k];
    sums[3] = 1.0;
    return sums;
}

}  // namespace

double SubstitutionsPerBt(const SubstitutionParameters& parameters) {
    const auto& pi = parameters.freqs;
    const double purines = pi[A] + pi[G];
    const double pyrimidines = pi[C] + pi[T];
    return 2.0 * purines * pyrimidines + 2.0 * parameters.kappa * (pi[A] * pi[G] + pi[C] * pi[T]);
}

CumulativeRows BranchTransition(const SubstitutionParameters& parameters, double substitutions) {
    // The model only reads the target when scoring; a one-site table keeps
    // its observed proportions finite.
    FitTarget target;
    target.modelKind = ModelKind::HKY85;
    target.siteCount = 1;
    const auto& pi = parameters.freqs;
    const HKYModel model(target, substitutions / SubstitutionsPerBt(parameters), parameters.kappa,
                         pi[A], pi[C], pi[G]);
    CumulativeRows rows{};
    for (std::size_t i = 0; i < 4; ++i) {
        std::array<double, 4> row{};
        for (std::size_t j = 0; j < 4; ++j)
            row[j] = model.JointProbability(int(i), int(j)) / model.pi[i];
        rows[i] = Cumulate(row);
    }
    return rows;
}

std::array<double, 4> CumulativeFrequencies(const SubstitutionParameters& parameters) {
    return Cumulate(parameters.freqs);
}

}  // namespace dyvern
