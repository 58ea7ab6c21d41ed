#include "row_totals.h"

namespace dyvern::cli {
namespace {

// The scalar counts in their one order, for Counts and FromCounts.
template <class Totals, class Visit>
void EachCount(Totals& totals, Visit visit) {
    visit(totals.unfitted);
    visit(totals.saturated);
    visit(totals.leftOut);
    visit(totals.aboveMaxD);
    visit(totals.written);
    for (auto& count : totals.statuses) visit(count);
    for (auto& count : totals.histogram) visit(count);
}

}  // namespace

void RowTotals::Add(const RowTotals& more) {
    const std::vector<long long> counts = more.Counts();
    const long long* next = counts.data();
    EachCount(*this, [&](long long& count) { count += *next++; });
}

void RowTotals::Bin(double d) {
    const int bin = HistogramBin(d);
    if (bin >= 0) ++histogram[static_cast<std::size_t>(bin)];
}

long long RowTotals::Pairs() const {
    long long pairs = 0;
    for (const long long count : statuses) pairs += count;
    return pairs;
}

std::vector<long long> RowTotals::Counts() const {
    std::vector<long long> counts;
    counts.reserve(kCountCount);
    EachCount(*this, [&](const long long& count) { counts.push_back(count); });
    return counts;
}

RowTotals RowTotals::FromCounts(const long long* counts) {
    RowTotals totals;
    EachCount(totals, [&](long long& count) { count = *counts++; });
    return totals;
}

}  // namespace dyvern::cli
