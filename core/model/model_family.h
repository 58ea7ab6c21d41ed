// The family of substitution models, described once: each model's names,
// which of the family's rates and base frequencies it estimates, how many
// free parameters that makes and where its searches start. The window, the
// fits, the distances, the reports and the command line all ask here.
//
// Every model of the family is HKY85 (Hasegawa, Kishino and Yano 1985) with
// some of its parameters held: transitions at the transversion rate (kappa
// = 1), or the base frequencies at 1/4 each. Its formulas, in one set of
// coordinates, are in substitution_rates.h and transition_probabilities.h.
#pragma once

#include <optional>
#include <string>

#include "model/divergence.h"

namespace dyvern {

// How a model's base frequencies are set.
enum class FrequencyRule {
    Equal,      // held at 1/4 each
    Estimated,  // estimated by likelihood; held at the pair's composition under least squares
};

struct ModelFacts {
    ModelKind kind;
    const char* word;        // "HKY85": the command line's word and the tables' name
    const char* reportName;  // "Hasegawa, Kishino, & Yano (1985)": the report's Model line
    const char* listName;    // "Hasegawa et al. (1985)": the window's model list
    const char* citation;    // "Hasegawa, Kishino & Yano 1985": the model comparison
    bool kappaFree;          // transitions at a rate of their own
    FrequencyRule frequencies;
    int freeParameters;  // k of the likelihood fit
};

// The models the window offers, in the order of its model list.
inline constexpr ModelKind kWindowModels[] = {ModelKind::JC69, ModelKind::F81, ModelKind::K80,
                                              ModelKind::HKY85};

const ModelFacts& FactsOf(ModelKind model);

// The model a command-line word names, without regard to case.
std::optional<ModelKind> ModelNamed(const std::string& word);

bool KappaFree(ModelKind model);

// Whether the fit estimates the base frequencies: by likelihood only.
bool FrequenciesFree(ModelKind model, Criterion criterion);

// Whether the base frequencies are held at the pair's own composition: under
// least squares, for a model whose frequencies likelihood would estimate.
bool FrequenciesAtComposition(ModelKind model, Criterion criterion);

// Degrees of freedom of the chi-square test of the 16 cells: 15 - k.
int FitTestDegreesOfFreedom(ModelKind model);

// The window's parameter set, where every search starts: bt (the branch
// length in units of the transversion rate), kappa, and three base
// frequencies, piT being the rest.
struct ParameterValues {
    double betat = 0.1;
    double kappa = 1.0;
    double piA = 0.25;
    double piC = 0.25;
    double piG = 0.25;
};
inline constexpr ParameterValues kStartValues{};

// The longest vector of free parameters a window model has (HKY85's five).
inline constexpr int kMaxFreeParameters = 5;

}  // namespace dyvern
