#include "estimate/search_coordinates.h"

namespace dyvern {

bool SharesFree(ModelKind model, Criterion criterion, const FitOptions& options) {
    const FrequencyRule rule = FactsOf(model).frequencies;
    const bool ownShares = rule == FrequencyRule::Estimated || rule == FrequencyRule::GcContent;
    return ownShares && criterion == Criterion::MaxLikelihood && !options.heldFrequencies;
}

}  // namespace dyvern
