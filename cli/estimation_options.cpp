#include "estimation_options.h"

#include <algorithm>
#include <cmath>
#include <variant>

#include "formula/base_composition.h"
#include "formula/formula_distance.h"
#include "model/table_checks.h"
#include "report/fit_record.h"
#include "stats/discrete_gamma.h"
#include "usage_error.h"

namespace dyvern::cli {
namespace {

constexpr int kMostCategories = 64;

std::vector<Criterion> CriteriaNamed(const std::string& word) {
    if (word == "ml") return {Criterion::MaxLikelihood};
    if (word == "ls") return {Criterion::LeastSquares};
    if (word == "formula") return {Criterion::Formula};
    return {Criterion::MaxLikelihood, Criterion::LeastSquares};
}

std::string Quoted(ModelKind model) { return std::string("'") + FactsOf(model).word + "'"; }

// Why `model` cannot be estimated by `criterion`, or "".
std::string CriterionProblem(ModelKind model, Criterion criterion) {
    if (Estimable(model, EstimationOf(criterion))) return "";
    switch (criterion) {
        case Criterion::LeastSquares:
            return "--criterion ls fits the window's models only (" +
                   ModelWords(Estimation::LeastSquares) + "), not " + Quoted(model);
        case Criterion::MaxLikelihood:
            return Quoted(model) + " has no likelihood: use --criterion formula";
        case Criterion::Formula:
            break;
    }
    return Quoted(model) + " has no published closed form: use --criterion ml";
}

bool Uses(const EstimationChoice& choice, Criterion criterion) {
    return std::find(choice.criteria.begin(), choice.criteria.end(), criterion) !=
           choice.criteria.end();
}

void ReadGamma(const Arguments& arguments, EstimationChoice& choice) {
    if (arguments.Has("gamma")) {
        const double alpha = DecimalNumber("gamma", arguments.Value("gamma", ""));
        if (!(alpha > 0.0)) throw UsageError("--gamma takes a shape above 0");
        choice.variation.alpha = alpha;
    }
    if (arguments.Has("gamma-categories")) {
        if (!arguments.Has("gamma")) throw UsageError("--gamma-categories needs --gamma ALPHA");
        const int k = WholeNumber("gamma-categories", arguments.Value("gamma-categories", ""), 1,
                                  kMostCategories);
        choice.variation.categoryRates = DiscreteGammaRates(choice.variation.alpha, k);
    }
    if (arguments.Has("invariant")) {
        const double p = DecimalNumber("invariant", arguments.Value("invariant", ""));
        if (!(p >= 0.0 && p < 1.0)) throw UsageError("--invariant takes a share from 0 up to 1");
        choice.variation.invariant = p;
    }
}

// Rate variation and frequencies only where the criteria and models can take them.
void CheckCombinations(const Arguments& arguments, const EstimationChoice& choice,
                       const std::vector<ModelKind>& models) {
    const bool variation = arguments.Has("gamma") || arguments.Has("invariant");
    if (Uses(choice, Criterion::LeastSquares) && !choice.eachCriterion &&
        (variation || arguments.Has("frequencies")))
        throw UsageError("least squares takes no --gamma, --invariant or --frequencies");
    if (Uses(choice, Criterion::Formula)) {
        if (arguments.Has("gamma-categories") || arguments.Has("invariant"))
            throw UsageError(
                "a formula takes --gamma alone: --gamma-categories and --invariant "
                "are for --criterion ml");
        for (const ModelKind model : models)
            if (arguments.Has("gamma") && !HasGammaForm(model))
                throw UsageError(Quoted(model) + " has no formula with --gamma");
    }
}

}  // namespace

EstimationChoice ReadEstimation(const Arguments& arguments, const std::vector<ModelKind>& models,
                                const std::string& fallback) {
    EstimationChoice choice;
    const std::string word = arguments.Value("criterion", fallback);
    choice.criteria = CriteriaNamed(word);
    choice.eachCriterion = word == "both";
    for (const ModelKind model : models) {
        const std::vector<Criterion> criteria = CriteriaFor(choice, model);
        if (criteria.empty() || !choice.eachCriterion)
            for (const Criterion criterion : choice.criteria)
                if (const std::string problem = CriterionProblem(model, criterion);
                    !problem.empty())
                    throw UsageError(problem);
    }
    ReadGamma(arguments, choice);
    const std::string frequencies = arguments.Value("frequencies", "");
    if (frequencies == "pair") choice.frequencies = FrequencySource::Pair;
    if (frequencies == "alignment") choice.frequencies = FrequencySource::Alignment;
    CheckCombinations(arguments, choice, models);
    return choice;
}

std::vector<Criterion> CriteriaFor(const EstimationChoice& choice, ModelKind model) {
    std::vector<Criterion> criteria;
    for (const Criterion criterion : choice.criteria)
        if (!choice.eachCriterion || Estimable(model, EstimationOf(criterion)))
            criteria.push_back(criterion);
    return criteria;
}

std::optional<std::array<double, 4>> AlignmentComposition(const EstimationChoice& choice,
                                                          const Input& input) {
    if (choice.frequencies != FrequencySource::Alignment) return std::nullopt;
    const Alignment* alignment = std::get_if<Alignment>(&input.content);
    if (!alignment) throw UsageError("--frequencies alignment needs an alignment, not a data file");
    return SequenceComposition(alignment->sequences);
}

FitOptions OptionsFor(const EstimationChoice& choice, Criterion criterion, const NamedTable& table,
                      const std::optional<std::array<double, 4>>& alignment) {
    FitOptions options;
    // Under "both" the least-squares rows are least squares' alone: it takes none of these.
    if (criterion == Criterion::LeastSquares) return options;
    options.variation = choice.variation;
    if (choice.frequencies == FrequencySource::Alignment && alignment) {
        options.heldFrequencies = *alignment;
        options.sequenceFrequencies = {table.composition1, table.composition2};
    }
    if (choice.frequencies == FrequencySource::Pair && criterion == Criterion::MaxLikelihood) {
        std::array<double, 4> pi{};
        if (EmpiricalComposition(table.counts, table.siteCount, pi)) options.heldFrequencies = pi;
    }
    return options;
}

}  // namespace dyvern::cli
