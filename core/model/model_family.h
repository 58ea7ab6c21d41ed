// The family of substitution models, described once: each model's names,
// which parameters it estimates, how many free parameters that makes, how
// it may be estimated, and where its searches start. The window, the fits,
// the distances, the reports and the command line all ask here.
//
// The likelihood models are time-reversible processes on the four bases;
// most are HKY85 (Hasegawa, Kishino and Yano 1985) or TN93 (Tamura and Nei
// 1993) with some parameters held. Their formulas, in one set of
// coordinates, are in substitution_rates.h and transition_probabilities.h.
// LogDet, paralinear and the raw share of differences have no likelihood:
// they are distances with a formula only.
#pragma once

#include <optional>
#include <string>

#include "model/divergence.h"

namespace dyvern {

// How a model's base frequencies are set.
enum class FrequencyRule {
    Equal,      // held at 1/4 each
    GcContent,  // piG = piC and piA = piT: one share of G + C
    Estimated,  // estimated by likelihood; held at the pair's composition under least squares
    None,       // a distance without a model of the frequencies
};

// The ways a model's distance can be estimated.
enum class Estimation : unsigned {
    Likelihood = 1u,    // --criterion ml
    LeastSquares = 2u,  // --criterion ls: the window's models only
    Formula = 4u,       // --criterion formula: a published closed form
};

struct ModelFacts {
    ModelKind kind;
    const char* word;        // "HKY85": the command line's word and the tables' name
    const char* reportName;  // "Hasegawa, Kishino, & Yano (1985)": the report's Model line
    const char* listName;    // "Hasegawa et al. (1985)": the window's model list
    const char* citation;    // "Hasegawa, Kishino & Yano 1985": the model comparison
    bool kappaFree;          // transitions at a rate of their own
    FrequencyRule frequencies;
    int freeParameters;  // k of the likelihood fit; 0 without a likelihood
    unsigned estimations;
};

// The models the window offers, in the order of its model list.
inline constexpr ModelKind kWindowModels[] = {ModelKind::JC69, ModelKind::F81, ModelKind::K80,
                                              ModelKind::HKY85};

// Every model, in the order the command line lists them.
inline constexpr ModelKind kAllModels[] = {
    ModelKind::Raw, ModelKind::JC69,  ModelKind::F81,  ModelKind::K80,    ModelKind::T92,
    ModelKind::K81, ModelKind::F84,   ModelKind::HKY85, ModelKind::TN93, ModelKind::GTR,
    ModelKind::LogDet, ModelKind::Paralinear};

// The models with a likelihood, in the order of kAllModels: what model
// comparison ranks.
inline constexpr ModelKind kLikelihoodModels[] = {
    ModelKind::JC69, ModelKind::F81,   ModelKind::K80,  ModelKind::T92, ModelKind::K81,
    ModelKind::F84,  ModelKind::HKY85, ModelKind::TN93, ModelKind::GTR};

// A model that is another with some parameters held: the null and the
// alternative of a likelihood-ratio test.
struct NestedPair {
    ModelKind null;
    ModelKind alternative;
};

// The nested pairs model comparison tests: the window's four first (kappa,
// then the frequencies), then along the family.
inline constexpr NestedPair kNestedPairs[] = {
    {ModelKind::JC69, ModelKind::K80},  {ModelKind::F81, ModelKind::HKY85},
    {ModelKind::JC69, ModelKind::F81},  {ModelKind::K80, ModelKind::HKY85},
    {ModelKind::K80, ModelKind::T92},   {ModelKind::T92, ModelKind::HKY85},
    {ModelKind::F81, ModelKind::F84},   {ModelKind::HKY85, ModelKind::TN93},
    {ModelKind::F84, ModelKind::TN93},  {ModelKind::TN93, ModelKind::GTR},
    {ModelKind::K80, ModelKind::K81},   {ModelKind::K81, ModelKind::GTR}};

const ModelFacts& FactsOf(ModelKind model);

// Whether the model can be estimated that way.
bool Estimable(ModelKind model, Estimation estimation);

// The way of estimating a criterion names.
Estimation EstimationOf(Criterion criterion);

// The model a command-line word names, without regard to case.
std::optional<ModelKind> ModelNamed(const std::string& word);

// The words of the models that can be estimated that way (of every model
// without one), as a list for messages: "JC69, F81, K80 or HKY85".
std::string ModelWords(std::optional<Estimation> estimation = std::nullopt);

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
