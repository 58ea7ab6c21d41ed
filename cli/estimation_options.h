// How a command estimates: its criteria, the rate variation among sites and
// the base frequencies, read from --criterion, --gamma, --gamma-categories,
// --invariant and --frequencies and checked against the models chosen, so
// that a combination that means nothing is a usage error, not a silent
// default.
#pragma once

#include <array>
#include <optional>
#include <string>
#include <vector>

#include "arguments.h"
#include "estimate/fit_options.h"
#include "model/model_family.h"
#include "pair_source.h"

namespace dyvern::cli {

// Where the frequencies come from: the model's own way (estimated by
// likelihood, the pair's composition in a formula), the pair's composition,
// or the whole alignment's.
enum class FrequencySource { Own, Pair, Alignment };

struct EstimationChoice {
    std::vector<Criterion> criteria;  // as asked; CriteriaFor says which apply to a model
    bool eachCriterion = false;       // "both": every criterion a model has of ml and ls
    RateVariation variation;
    FrequencySource frequencies = FrequencySource::Own;
};

// Reads the options for `models`; `fallback` is the --criterion when absent
// ("both", "ml"). Throws UsageError for a criterion a model does not have,
// rate variation or frequencies a criterion cannot take, or values out of range.
EstimationChoice ReadEstimation(const Arguments& arguments, const std::vector<ModelKind>& models,
                                const std::string& fallback);

// The criteria `model` is fitted by.
std::vector<Criterion> CriteriaFor(const EstimationChoice& choice, ModelKind model);

// The composition of a whole alignment, where --frequencies alignment needs
// it (nothing otherwise).
std::optional<std::array<double, 4>> AlignmentComposition(const EstimationChoice& choice,
                                                          const Input& input);

// The options one table is fitted with by `criterion`. The pair's own
// composition is a formula's way already; likelihood holds the frequencies
// there only when asked.
FitOptions OptionsFor(const EstimationChoice& choice, Criterion criterion, const NamedTable& table,
                      const std::optional<std::array<double, 4>>& alignment);

}  // namespace dyvern::cli
