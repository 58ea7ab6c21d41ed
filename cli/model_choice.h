// The models a command is given, and its operand.
#pragma once

#include <string>
#include <vector>

#include "arguments.h"
#include "model/model_family.h"

namespace dyvern::cli {

// --model M[,M...], read without regard to case, in the order given and
// without repeats; `fallback` when the option is absent. Throws UsageError.
std::vector<ModelKind> ModelsOption(const Arguments& arguments,
                                    const std::vector<ModelKind>& fallback);
// --model with exactly one model.
ModelKind OneModelOption(const Arguments& arguments, ModelKind fallback);

// The one operand a command takes, or UsageError naming what is missing.
const std::string& OneOperand(const Arguments& arguments, const char* what);

}  // namespace dyvern::cli
