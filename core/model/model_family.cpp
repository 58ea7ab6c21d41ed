#include "model/model_family.h"

#include <cctype>
#include <iterator>
#include <vector>

namespace dyvern {
namespace {

constexpr unsigned kWindow = static_cast<unsigned>(Estimation::Likelihood) |
                             static_cast<unsigned>(Estimation::LeastSquares);
constexpr unsigned kLikelihood = static_cast<unsigned>(Estimation::Likelihood);
constexpr unsigned kFormula = static_cast<unsigned>(Estimation::Formula);

// In the order of ModelKind.
constexpr ModelFacts kFamily[] = {
    {ModelKind::JC69, "JC69", "Jukes & Cantor (1969)", "Jukes & Cantor (1969)",
     "Jukes & Cantor 1969", false, FrequencyRule::Equal, 1, kWindow | kFormula},
    {ModelKind::F81, "F81", "Felsenstein (1981)", "Felsenstein (1981)", "Felsenstein 1981", false,
     FrequencyRule::Estimated, 4, kWindow | kFormula},
    {ModelKind::K80, "K80", "Kimura (1980)", "Kimura (1980)", "Kimura 1980", true,
     FrequencyRule::Equal, 2, kWindow | kFormula},
    {ModelKind::HKY85, "HKY85", "Hasegawa, Kishino, & Yano (1985)", "Hasegawa et al. (1985)",
     "Hasegawa, Kishino & Yano 1985", true, FrequencyRule::Estimated, 5, kWindow},
    {ModelKind::T92, "T92", "Tamura (1992)", "Tamura (1992)", "Tamura 1992", true,
     FrequencyRule::GcContent, 3, kLikelihood | kFormula},
    {ModelKind::K81, "K81", "Kimura (1981)", "Kimura (1981)", "Kimura 1981", true,
     FrequencyRule::Equal, 3, kLikelihood | kFormula},
    {ModelKind::F84, "F84", "Felsenstein (1984)", "Felsenstein (1984)", "Felsenstein 1984", true,
     FrequencyRule::Estimated, 5, kLikelihood | kFormula},
    {ModelKind::TN93, "TN93", "Tamura & Nei (1993)", "Tamura & Nei (1993)", "Tamura & Nei 1993",
     true, FrequencyRule::Estimated, 6, kLikelihood | kFormula},
    {ModelKind::GTR, "GTR", "Tavare (1986)", "Tavare (1986)", "Tavare 1986", true,
     FrequencyRule::Estimated, 9, kLikelihood},
    {ModelKind::LogDet, "LogDet", "Lockhart et al. (1994)", "Lockhart et al. (1994)",
     "Lockhart et al. 1994", false, FrequencyRule::None, 0, kFormula},
    {ModelKind::Paralinear, "paralinear", "Lake (1994)", "Lake (1994)", "Lake 1994", false,
     FrequencyRule::None, 0, kFormula},
    {ModelKind::Raw, "raw", "p-distance", "p-distance", "the share of differing sites", false,
     FrequencyRule::None, 0, kFormula},
};
static_assert(std::size(kFamily) == std::size(kAllModels), "one entry per model");

// The 16 cells of a table less the one constraint that they add up to n.
constexpr int kTableDegreesOfFreedom = 15;

bool SameWord(const std::string& word, const char* name) {
    std::size_t k = 0;
    for (; k < word.size() && name[k] != '\0'; ++k)
        if (std::toupper(static_cast<unsigned char>(word[k])) !=
            std::toupper(static_cast<unsigned char>(name[k])))
            return false;
    return k == word.size() && name[k] == '\0';
}

}  // namespace

const ModelFacts& FactsOf(ModelKind model) { return kFamily[static_cast<int>(model)]; }

bool Estimable(ModelKind model, Estimation estimation) {
    return (FactsOf(model).estimations & static_cast<unsigned>(estimation)) != 0;
}

Estimation EstimationOf(Criterion criterion) {
    switch (criterion) {
        case Criterion::MaxLikelihood:
            return Estimation::Likelihood;
        case Criterion::LeastSquares:
            return Estimation::LeastSquares;
        case Criterion::Formula:
            break;
    }
    return Estimation::Formula;
}

std::optional<ModelKind> ModelNamed(const std::string& word) {
    for (const ModelFacts& facts : kFamily)
        if (SameWord(word, facts.word)) return facts.kind;
    return std::nullopt;
}

std::string ModelWords(std::optional<Estimation> estimation) {
    std::vector<const char*> words;
    for (const ModelKind model : kAllModels)
        if (!estimation || Estimable(model, *estimation)) words.push_back(FactsOf(model).word);
    std::string list;
    for (std::size_t k = 0; k < words.size(); ++k)
        list += (k == 0 ? "" : k + 1 == words.size() ? " or " : ", ") + std::string(words[k]);
    return list;
}

bool KappaFree(ModelKind model) { return FactsOf(model).kappaFree; }

bool FrequenciesFree(ModelKind model, Criterion criterion) {
    return FactsOf(model).frequencies == FrequencyRule::Estimated &&
           criterion == Criterion::MaxLikelihood;
}

bool FrequenciesAtComposition(ModelKind model, Criterion criterion) {
    return FactsOf(model).frequencies == FrequencyRule::Estimated &&
           criterion == Criterion::LeastSquares;
}

int FitTestDegreesOfFreedom(ModelKind model) {
    return kTableDegreesOfFreedom - FactsOf(model).freeParameters;
}

}  // namespace dyvern
