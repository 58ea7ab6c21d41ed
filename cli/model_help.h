// The parts of the commands' help that speak of the model family: the
// models and how each is estimated, rate variation and frequencies, the
// nested pairs compare tests, and the columns of fit. Written from the
// family's own tables where they list something.
#pragma once

#include <string>

namespace dyvern::cli {

std::string ModelsHelp();
std::string EstimationHelp(bool formula, bool leastSquares);
std::string NestedPairsHelp();
std::string FitColumnsHelp();

}  // namespace dyvern::cli
