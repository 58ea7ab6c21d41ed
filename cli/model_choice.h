// The words for models and criteria on the command line and in its output.
#pragma once

#include <string>
#include <vector>

#include "arguments.h"
#include "model/model_family.h"

namespace dyvern::cli {

// "JC69", "F81", "K80", "HKY85".
const char* ModelWord(ModelKind model);

// --model M[,M...], read without regard to case, in the order given and
// without repeats; `fallback` when the option is absent. Throws UsageError.
std::vector<ModelKind> ModelsOption(const Arguments& arguments,
                                    const std::vector<ModelKind>& fallback);
// --model with exactly one model.
ModelKind OneModelOption(const Arguments& arguments, ModelKind fallback);

// --criterion ml|ls|both; `fallback` when absent.
std::vector<Criterion> CriteriaOption(const Arguments& arguments, const std::string& fallback);

// The one operand a command takes, or UsageError naming what is missing.
const std::string& OneOperand(const Arguments& arguments, const char* what);

}  // namespace dyvern::cli
