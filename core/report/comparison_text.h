// The text of models.txt: the four models fitted by likelihood to the loaded
// table, side by side, with the tests between them and the model each
// information criterion prefers.
#pragma once

#include <string>

#include "estimate/model_comparison.h"

namespace dyvern {

struct ComparedData {
    std::string file;  // the file the table was read from
    std::string pair;  // "NAME1, NAME2" for two sequences of an alignment; "" for a data file
    int sites = 0;     // the declared site count n
};

// One line per item, each ending in '\n'. A value that does not apply or is
// not determined shows as "-", an unbounded one as "inf".
std::string ComparisonText(const ComparedData& data, const ModelComparison& comparison);

}  // namespace dyvern
