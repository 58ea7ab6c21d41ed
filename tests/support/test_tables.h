// Count tables and files shared by the tests and the benchmarks.
#pragma once

#include <array>
#include <string>
#include <vector>

#include "data/data_file.h"
#include "model/divergence.h"

namespace dyvern::testing {

// 40 in each identical cell, 6 in each transition cell, 2 in each
// transversion cell: n = 200, 24 transitions, 16 transversions.
DivergenceCounts WorkedTable();

// The shipped sample (human and chimpanzee mitochondrial DNA, 895 sites), read
// by the program's own data file reader.
std::string SamplePath();
DataFileTable SampleData();
inline DivergenceCounts SampleTable() { return SampleData().counts; }

double CellSum(const DivergenceCounts& counts);

// Each base's share of both sequences together: row plus column sums over
// twice the cell sum.
std::array<double, 4> Composition(const DivergenceCounts& counts);

// What to fit: the table, n = the cell sum unless given.
FitTarget TargetFor(const DivergenceCounts& counts, ModelKind kind,
                    Criterion criterion = Criterion::MaxLikelihood, int siteCount = -1);

// The lines of a file, and the whole of a file of tests/golden.
std::vector<std::string> ReadLines(const std::string& path);
std::string Golden(const std::string& name);

}  // namespace dyvern::testing
