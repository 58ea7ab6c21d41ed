#include "support/test_tables.h"

#include <cmath>
#include <fstream>
#include <iterator>

namespace dyvern::testing {

DivergenceCounts WorkedTable() {
    constexpr double kByKind[] = {40, 6, 2};  // identical, transition, transversion
    DivergenceCounts counts{};
    for (int i = 0; i < 4; ++i)
        for (int j = 0; j < 4; ++j) counts[i][j] = kByKind[static_cast<int>(KindOfPair(i, j))];
    return counts;
}

std::string SamplePath() { return DYVERN_SAMPLE_DATA; }

DataFileTable SampleData() {
    std::ifstream in(SamplePath());
    return ReadDataFile(in, 0);
}

double CellSum(const DivergenceCounts& counts) {
    double sum = 0.0;
    for (const auto& row : counts)
        for (const double cell : row) sum += cell;
    return sum;
}

std::array<double, 4> Composition(const DivergenceCounts& counts) {
    std::array<double, 4> share{};
    const double twiceN = 2.0 * CellSum(counts);
    for (int i = 0; i < 4; ++i) {
        for (int j = 0; j < 4; ++j) {
            share[i] += counts[i][j] / twiceN;
            share[j] += counts[i][j] / twiceN;
        }
    }
    return share;
}

FitTarget TargetFor(const DivergenceCounts& counts, ModelKind kind, Criterion criterion,
                    int siteCount) {
    FitTarget target;
    target.observed = counts;
    target.siteCount = siteCount >= 0 ? siteCount : static_cast<int>(std::lround(CellSum(counts)));
    target.modelKind = kind;
    target.criterion = criterion;
    return target;
}

std::vector<std::string> ReadLines(const std::string& path) {
    std::ifstream in(path);
    std::vector<std::string> lines;
    for (std::string line; std::getline(in, line);) lines.push_back(line);
    return lines;
}

std::string Golden(const std::string& name) {
    std::ifstream in(std::string(DYVERN_GOLDEN_DIR) + "/" + name);
    return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

}  // namespace dyvern::testing
