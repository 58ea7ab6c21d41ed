#include "alignment_pairs.h"

#include <variant>

#include "align/input.h"
#include "align/pair_table.h"
#include "formula/base_composition.h"

namespace dyvern::testing {

AlignmentPairs ReadPairs(const std::string& path) {
    const Alignment alignment = std::get<Alignment>(ReadInput(path).content);
    AlignmentPairs pairs;
    pairs.names = alignment.names;
    pairs.sequences = alignment.sequences;
    pairs.composition = SequenceComposition(alignment.sequences);
    return pairs;
}

DivergenceCounts PairCounts(const AlignmentPairs& pairs, int i, int j) {
    return CountPair(pairs.sequences[i], pairs.sequences[j], Ambiguity::Skip).counts;
}

FormulaSettings OutsideFrequencies(const AlignmentPairs& pairs, int i, int j) {
    FormulaSettings settings;
    settings.origin = FrequencyOrigin::Given;
    settings.frequencies = pairs.composition;
    settings.sequence1 = SequenceComposition(pairs.sequences[i]);
    settings.sequence2 = SequenceComposition(pairs.sequences[j]);
    return settings;
}

std::string FormulaDataPath(const std::string& name) {
    return std::string(DYVERN_FORMULA_DATA) + "/" + name;
}

std::string PrimatesPath() { return DYVERN_PRIMATES; }

}  // namespace dyvern::testing
