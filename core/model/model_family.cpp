#include "model/model_family.h"

#include <cctype>
#include <iterator>

namespace dyvern {
namespace {

// In the order of ModelKind.
constexpr ModelFacts kFamily[] = {
    {ModelKind::JC69, "JC69", "Jukes & Cantor (1969)", "Jukes & Cantor (1969)",
     "Jukes & Cantor 1969", false, FrequencyRule::Equal, 1},
    {ModelKind::F81, "F81", "Felsenstein (1981)", "Felsenstein (1981)", "Felsenstein 1981", false,
     FrequencyRule::Estimated, 4},
    {ModelKind::K80, "K80", "Kimura (1980)", "Kimura (1980)", "Kimura 1980", true,
     FrequencyRule::Equal, 2},
    {ModelKind::HKY85, "HKY85", "Hasegawa, Kishino, & Yano (1985)", "Hasegawa et al. (1985)",
     "Hasegawa, Kishino & Yano 1985", true, FrequencyRule::Estimated, 5},
};
static_assert(std::size(kFamily) == static_cast<int>(ModelKind::HKY85) + 1, "one entry per model");

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

std::optional<ModelKind> ModelNamed(const std::string& word) {
    for (const ModelFacts& facts : kFamily)
        if (SameWord(word, facts.word)) return facts.kind;
    return std::nullopt;
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
