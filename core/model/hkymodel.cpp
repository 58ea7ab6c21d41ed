#include "model/hkymodel.h"

#include <cfloat>
#include <cmath>
#include <utility>

#include "base/stop.h"

namespace dyvern {
namespace {

constexpr const char* kSource = "hkymodel";

using Cell = std::pair<int, int>;

// Cells in the order in which their terms are added.
constexpr Cell kIdenticalCells[] = {{A, A}, {C, C}, {G, G}, {T, T}};
constexpr Cell kTransitionCells[] = {{A, G}, {C, T}, {G, A}, {T, C}};
constexpr Cell kTransversionCells[] = {{A, C}, {A, T}, {C, A}, {C, G},
                                       {G, C}, {G, T}, {T, A}, {T, G}};

// A joint probability that has underflowed to zero (or gone slightly negative
// through cancellation) scores as the log of the smallest normal double: very
// bad, but finite, so the minimisers never see -inf or NaN.
double FlooredLog(double f) { return f > DBL_MIN ? std::log(f) : std::log(DBL_MIN); }

// Where the likelihood is flat to the last bit, the search cannot tell which
// way to go: beyond bt = 40 every transition probability equals its limit
// pi[j] (e^-40 is below the double's resolution), and below bt = e^-20 the
// differences round away. The objective adds a quadratic wall outside these
// logarithms of a rate, so that a search started far out walks back instead of
// stalling on a plateau. Field values never reach the walls.
constexpr double kLowestLogRate = -20.0;
constexpr double kHighestLogBranch = 3.6888794541139363;  // ln 40
constexpr double kHighestLogKappa = 20.0;

double Wall(double logRate, double highest) {
    if (logRate > highest) return (logRate - highest) * (logRate - highest);
    if (logRate < kLowestLogRate) return (kLowestLogRate - logRate) * (kLowestLogRate - logRate);
    return 0.0;
}

// Maps every real number into [0, 1]; asin(2s - 1) inverts it.
double Squash(double z) { return (std::sin(z) + 1.0) * 0.5; }

double CellSum(const DivergenceCounts& counts, const Cell* cells, int cellCount) {
    double sum = 0.0;
    for (int k = 0; k < cellCount; ++k) sum += counts[cells[k].first][cells[k].second];
    return sum;
}

}  // namespace

HKYModel::HKYModel(const FitTarget& target, double bt, double kappa, double piA, double piC,
                   double piG)
    : bt(bt), kappa(kappa), pi{piA, piC, piG, 0.0}, piClass{}, obsP(0.0), obsQ(0.0), target(target) {
    pi[T] = 1.0 - pi[A] - pi[C] - pi[G];
    DYVERN_ASSERT(pi[T] < 1.0 && pi[T] > 0.0, kSource);
    piClass[A] = piClass[G] = pi[A] + pi[G];
    piClass[C] = piClass[T] = pi[C] + pi[T];
    const double n = target.siteCount;
    obsP = CellSum(target.observed, kTransitionCells, 4) / n;
    obsQ = CellSum(target.observed, kTransversionCells, 8) / n;
}

bool HKYModel::FrequenciesFree() const {
    return dyvern::FrequenciesFree(target.modelKind, target.criterion);
}

bool HKYModel::KappaFree() const { return dyvern::KappaFree(target.modelKind); }

double HKYModel::ProbSame(int j) const {
    const double e1 = std::exp(-bt);
    const double e2 = std::exp(-bt * ((kappa - 1.0) * piClass[j] + 1.0));
    return pi[j] + e1 * (1.0 / piClass[j] - 1.0) * pi[j] + e2 * (piClass[j] - pi[j]) / piClass[j];
}

double HKYModel::ProbTransition(int j) const {
    const double e1 = std::exp(-bt);
    const double e2 = std::exp(-bt * ((kappa - 1.0) * piClass[j] + 1.0));
    return pi[j] * (1.0 + e1 * (1.0 - piClass[j]) / piClass[j] - e2 / piClass[j]);
}

double HKYModel::ProbTransversion(int j) const { return pi[j] * (1.0 - std::exp(-bt)); }

double HKYModel::JointProbability(int i, int j) const {
    switch (KindOfPair(i, j)) {
        case PairKind::Identical:
            return pi[i] * ProbSame(j);
        case PairKind::Transition:
            return pi[i] * ProbTransition(j);
        case PairKind::Transversion:
            break;
    }
    return pi[i] * ProbTransversion(j);
}

double HKYModel::LogLikelihood() const {
    double lnL = 0.0;
    for (const auto* cells : {kIdenticalCells, kTransitionCells}) {
        for (int k = 0; k < 4; ++k) {
            const auto [i, j] = cells[k];
            lnL += target.observed[i][j] * FlooredLog(JointProbability(i, j));
        }
    }
    for (const auto& [i, j] : kTransversionCells)
        lnL += target.observed[i][j] * FlooredLog(JointProbability(i, j));
    return lnL;
}

double HKYModel::ExpectedTransitions() const {
    double expP = 0.0;
    for (const auto& [i, j] : kTransitionCells) expP += JointProbability(i, j);
    return expP;
}

double HKYModel::ExpectedTransversions() const {
    double expQ = 0.0;
    for (const auto& [i, j] : kTransversionCells) expQ += JointProbability(i, j);
    return expQ;
}

double HKYModel::SumOfSquares() const {
    const double expP = ExpectedTransitions();
    const double expQ = ExpectedTransversions();
    if (KappaFree()) return (expP - obsP) * (expP - obsP) + (expQ - obsQ) * (expQ - obsQ);
    const double gap = expP + expQ - obsP - obsQ;  // JC69 and F81: total differences only
    return gap * gap;
}

double HKYModel::SearchWall() const {
    return Wall(std::log(bt), kHighestLogBranch) +
           (KappaFree() ? Wall(std::log(kappa), kHighestLogKappa) : 0.0);
}

double HKYModel::Objective(const double* x, int /*count*/) {
    if (x) SetVector(x);
    const double value =
        target.criterion == Criterion::MaxLikelihood ? -LogLikelihood() : SumOfSquares();
    return value + SearchWall();
}

double HKYModel::CriterionValue() {
    const double value = Objective(nullptr, 0);
    return target.criterion == Criterion::MaxLikelihood ? -value : value;
}

int HKYModel::GetVector(double* x) const {
    DYVERN_ASSERT(bt > 0.0, kSource);
    int length = 0;
    x[length++] = std::log(bt);
    if (KappaFree()) {
        DYVERN_ASSERT(kappa > 0.0, kSource);
        x[length++] = std::log(kappa);
    }
    if (FrequenciesFree()) {
        const double purines = piClass[A];
        const double pyrimidines = piClass[C];
        x[length++] = std::asin(2.0 * purines - 1.0);
        x[length++] = std::asin(2.0 * pi[A] / purines - 1.0);
        x[length++] = std::asin(2.0 * pi[C] / pyrimidines - 1.0);
    }
    return length;
}

void HKYModel::SetVector(const double* x) {
    int next = 0;
    bt = std::exp(x[next++]);
    if (KappaFree()) kappa = std::exp(x[next++]);
    if (FrequenciesFree()) {
        const double purines = Squash(x[next++]);
        const double pyrimidines = 1.0 - purines;
        piClass[A] = piClass[G] = purines;
        piClass[C] = piClass[T] = pyrimidines;
        pi[A] = purines * Squash(x[next++]);
        pi[G] = purines - pi[A];
        pi[C] = pyrimidines * Squash(x[next++]);
        pi[T] = pyrimidines - pi[C];
    }
    if (FactsOf(target.modelKind).frequencies == FrequencyRule::Estimated) {
        DYVERN_ASSERT(pi[A] >= 0.0, kSource);
        DYVERN_ASSERT(pi[C] >= 0.0, kSource);
        DYVERN_ASSERT(pi[G] >= 0.0, kSource);
        DYVERN_ASSERT(pi[T] >= 0.0, kSource);
        DYVERN_ASSERT(pi[A] <= 1.0, kSource);
        DYVERN_ASSERT(pi[C] <= 1.0, kSource);
        DYVERN_ASSERT(pi[G] <= 1.0, kSource);
        DYVERN_ASSERT(pi[T] <= 1.0, kSource);
    }
}

}  // namespace dyvern
