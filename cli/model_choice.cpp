#include "model_choice.h"

#include <algorithm>
#include <optional>

#include "usage_error.h"

namespace dyvern::cli {
namespace {

ModelKind ModelOfWord(const std::string& word) {
    const std::optional<ModelKind> model = ModelNamed(word);
    if (model && Estimable(*model, Estimation::LeastSquares)) return *model;
    throw UsageError("--model takes " + ModelWords(Estimation::LeastSquares) + ", not '" + word +
                     "'");
}

}  // namespace

const char* ModelWord(ModelKind model) { return FactsOf(model).word; }

const char* CriterionWord(Criterion criterion) {
    return criterion == Criterion::MaxLikelihood ? "ml" : "ls";
}

std::vector<ModelKind> ModelsOption(const Arguments& arguments,
                                    const std::vector<ModelKind>& fallback) {
    if (!arguments.Has("model")) return fallback;
    std::vector<ModelKind> models;
    const std::string list = arguments.Value("model", "") + ",";
    std::size_t start = 0;
    for (std::size_t comma = list.find(','); comma != std::string::npos;
         start = comma + 1, comma = list.find(',', start)) {
        const ModelKind model = ModelOfWord(list.substr(start, comma - start));
        if (std::find(models.begin(), models.end(), model) == models.end())
            models.push_back(model);
    }
    return models;
}

ModelKind OneModelOption(const Arguments& arguments, ModelKind fallback) {
    const std::vector<ModelKind> models = ModelsOption(arguments, {fallback});
    if (models.size() != 1) throw UsageError("--model takes one model here");
    return models.front();
}

std::vector<Criterion> CriteriaOption(const Arguments& arguments, const std::string& fallback) {
    const std::string word = arguments.Value("criterion", fallback);
    if (word == "ml") return {Criterion::MaxLikelihood};
    if (word == "ls") return {Criterion::LeastSquares};
    return {Criterion::MaxLikelihood, Criterion::LeastSquares};
}

const std::string& OneOperand(const Arguments& arguments, const char* what) {
    if (arguments.operands.empty()) throw UsageError(std::string("no ") + what + " given");
    if (arguments.operands.size() > 1)
        throw UsageError("one " + std::string(what) + " only: '" + arguments.operands[1] +
                         "' is one too many");
    return arguments.operands.front();
}

}  // namespace dyvern::cli
