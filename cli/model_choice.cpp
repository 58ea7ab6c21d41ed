#include "model_choice.h"

#include <algorithm>
#include <optional>

#include "usage_error.h"

namespace dyvern::cli {
namespace {

ModelKind ModelOfWord(const std::string& word) {
    if (const std::optional<ModelKind> model = ModelNamed(word)) return *model;
    throw UsageError("--model takes " + ModelWords() + ", not '" + word + "'");
}

}  // namespace

std::vector<ModelKind> ModelsOption(const Arguments& arguments,
                                    const std::vector<ModelKind>& fallback) {
    if (!arguments.Has("model")) return fallback;
    std::vector<ModelKind> models;
    const std::string list = arguments.Value("model", "") + ",";
    std::size_t start = 0;
    for (std::size_t comma = list.find(','); comma != std::string::npos;
         start = comma + 1, comma = list.find(',', start)) {
        const ModelKind model = ModelOfWord(list.substr(start, comma - start));
        if (std::find(models.begin(), models.end(), model) == models.end()) models.push_back(model);
    }
    return models;
}

ModelKind OneModelOption(const Arguments& arguments, ModelKind fallback) {
    const std::vector<ModelKind> models = ModelsOption(arguments, {fallback});
    if (models.size() != 1) throw UsageError("--model takes one model here");
    return models.front();
}

const std::string& OneOperand(const Arguments& arguments, const char* what) {
    if (arguments.operands.empty()) throw UsageError(std::string("no ") + what + " given");
    if (arguments.operands.size() > 1)
        throw UsageError("one " + std::string(what) + " only: '" + arguments.operands[1] +
                         "' is one too many");
    return arguments.operands.front();
}

}  // namespace dyvern::cli
