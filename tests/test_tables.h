// Count tables shared by the core tests.
#pragma once

#include "model/divergence.h"

namespace dyvern::testing {

// 40 in each identical cell, 6 in each transition cell, 2 in each
// transversion cell: n = 200, 24 transitions, 16 transversions.
DivergenceCounts WorkedTable();

// The shipped sample: human and chimpanzee mitochondrial DNA, 895 sites.
DivergenceCounts SampleTable();

double CellSum(const DivergenceCounts& counts);

// A target with the table loaded, n = the cell sum unless given.
FitTarget StateFor(const DivergenceCounts& counts, ModelKind kind,
                       Criterion criterion = Criterion::MaxLikelihood, int siteCount = -1);

}  // namespace dyvern::testing
