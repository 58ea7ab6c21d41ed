#include "distance_choice.h"

#include <limits>

#include "estimation_options.h"
#include "formula/base_composition.h"
#include "model_choice.h"
#include "pair_source.h"

namespace dyvern::cli {
namespace {

constexpr int kMostThreads = 1024;

}  // namespace

DistanceChoice ReadDistanceChoice(const Arguments& arguments, ModelKind model,
                                  const std::string& criterion) {
    DistanceChoice choice;
    DistanceOptions& options = choice.options;
    options.model = OneModelOption(arguments, model);
    const EstimationChoice estimation = ReadEstimation(arguments, {options.model}, criterion);
    choice.criterion = arguments.Value("criterion", criterion);
    options.criterion = estimation.criteria.front();
    options.fit.variation = estimation.variation;
    options.pairFrequencies = estimation.frequencies == FrequencySource::Pair &&
                              options.criterion == Criterion::MaxLikelihood;
    choice.reading = ReadingOption(arguments);
    if (arguments.Has("threads"))
        options.threads = WholeNumber("threads", arguments.Value("threads", ""), 0, kMostThreads);
    if (arguments.Has("min-overlap"))
        options.minOverlap = WholeNumber("min-overlap", arguments.Value("min-overlap", ""), 0,
                                         std::numeric_limits<int>::max());
    return choice;
}

void GiveFrequencies(const Arguments& arguments, const Alignment& alignment,
                     DistanceOptions& options) {
    if (arguments.Value("frequencies", "") != "alignment") return;
    options.fit.heldFrequencies = SequenceComposition(alignment.sequences);
    for (const std::string& sequence : alignment.sequences)
        options.sequenceCompositions.push_back(SequenceComposition(sequence));
}

}  // namespace dyvern::cli
