#include "report/comparison_text.h"

#include <cmath>
#include <string>
#include <vector>

#include "base/format.h"
#include "report/comparison_records.h"
#include "report/fit_record.h"

namespace dyvern {
namespace {

constexpr int kColumn = 12;
constexpr int kDecimals = 6;

// Each section names the columns it shows, the first heading its rows.
constexpr auto kEstimates =
    PickColumns(kFitColumns, {"model", "bt", "kappa", "piA", "piC", "piG", "piT", "status"});
constexpr auto kOthers = PickColumns(
    kFitColumns, {"model", "kappaR", "kappaY", "gc", "rAC", "rAG", "rAT", "rCG", "rCT", "rGT"});
constexpr auto kDistances = PickColumns(kFitColumns, {"model", "d", "se_d", "d_low", "d_high"});
constexpr auto kCriteria =
    PickColumns(kModelColumns, {"model", "lnL", "k", "AIC", "AICc", "BIC", "w_AIC", "w_BIC"});
constexpr auto kTests = PickColumns(kTestColumns, {"null", "alternative", "LR", "df", "P"});
constexpr auto kSymmetry = PickColumns(kSymmetryColumns, {"test", "statistic", "df", "P"});

std::string PadLeft(std::string_view text, int width) {
    return text.size() < static_cast<std::size_t>(width)
               ? std::string(width - text.size(), ' ').append(text)
               : std::string(" ").append(text);
}

std::string CellText(const Value& value) {
    switch (value.Kind()) {
        case ValueKind::Missing:
            return "-";
        case ValueKind::Text:
            return std::string(value.Text());
        case ValueKind::Whole:
            return std::to_string(value.Whole());
        case ValueKind::Number:
            break;
    }
    const double number = value.Number();
    if (std::isnan(number)) return "-";
    if (std::isinf(number)) return number > 0 ? "inf" : "-inf";
    return FormatFixed(number, kDecimals);
}

// The first cell names the row; the others line up on the right.
std::string Line(std::string_view first, const std::vector<std::string>& cells) {
    constexpr std::size_t kNameWidth = 6;
    std::string line(first);
    line.append(first.size() < kNameWidth ? kNameWidth - first.size() : 1, ' ');
    for (const std::string& cell : cells) line += PadLeft(cell, kColumn);
    return line + "\n";
}

template <class Record, std::size_t M>
std::string Heading(const ColumnPick<Record, M>& columns) {
    std::vector<std::string> cells;
    for (std::size_t c = 1; c < M; ++c) cells.emplace_back(columns[c]->Label());
    return Line(columns[0]->Label(), cells);
}

template <class Record, std::size_t M>
std::string Row(const ColumnPick<Record, M>& columns, const Record& record) {
    std::vector<std::string> cells;
    for (std::size_t c = 1; c < M; ++c) cells.push_back(CellText(columns[c]->Shown(record)));
    return Line(CellText(columns[0]->Shown(record)), cells);
}

// Fits are in model-list order.

std::string Estimates(const ModelComparison& comparison) {
    std::string text = "Estimates (maximum likelihood):\n" + Heading(kEstimates);
    for (const PairFit& fit : comparison.fits) text += Row(kEstimates, FitRecord{{}, 0, fit});
    return text;
}

std::string OtherParameters(const ModelComparison& comparison) {
    std::string text =
        "The other models' parameters (TN93's two transitions against the transversions,\n"
        "T92's G+C share, each pair's rate against G<->T's):\n" +
        Heading(kOthers);
    for (const PairFit& fit : comparison.fits) text += Row(kOthers, FitRecord{{}, 0, fit});
    return text;
}

std::string Distances(const ModelComparison& comparison) {
    std::string text =
        "d, substitutions per site, with its standard error and 95% profile "
        "likelihood interval:\n" +
        Heading(kDistances);
    for (const PairFit& fit : comparison.fits) text += Row(kDistances, FitRecord{{}, 0, fit});
    return text;
}

std::string Criteria(const ModelComparison& comparison) {
    std::string text = "Information criteria and Akaike weights:\n" + Heading(kCriteria);
    for (std::size_t m = 0; m < comparison.fits.size(); ++m)
        text += Row(kCriteria, ModelRecord{{}, comparison, m});
    return text;
}

std::string Tests(const ModelComparison& comparison) {
    std::string text =
        "Likelihood-ratio tests (2 (lnL alternative - lnL null), chi-square):\n" + Heading(kTests);
    for (const LikelihoodRatioTest& test : comparison.tests)
        text += Row(kTests, TestRecord{{}, test});
    return text;
}

std::string Symmetry(const ModelComparison& comparison) {
    std::string text =
        "Tests of the table's symmetry, which every model above assumes (chi-square):\n" +
        Heading(kSymmetry);
    for (const NamedSymmetryTest& named : SymmetryTestsOf(comparison))
        text += Row(kSymmetry, SymmetryRecord{{}, named});
    if (RejectsSymmetry(comparison))
        text += "The table is not symmetric at 5%: the models' distances are biased;\n"
                "LogDet and paralinear do not assume symmetry.\n";
    return text;
}

std::string Preference(const ModelComparison& comparison) {
    if (!comparison.ranked) return "The models cannot be ranked on this table.\n";
    const ModelFacts& aic = FactsOf(comparison.bestAIC);
    const ModelFacts& bic = FactsOf(comparison.bestBIC);
    return std::string("AIC prefers ") + aic.word + " (" + aic.citation + "); BIC prefers " +
           bic.word + " (" + bic.citation + ").\n";
}

}  // namespace

std::string ComparisonText(const ComparedData& data, const ModelComparison& comparison) {
    std::string text = "Model comparison by Dyvern:\n\n";
    text += "Data: " + data.file + "\n";
    text += "Pair: " + (data.pair.empty() ? "the table of the data file" : data.pair) + "\n";
    text += "Sites: " + std::to_string(data.sites) + "\n\n";
    text += Estimates(comparison) + "\n";
    text += OtherParameters(comparison) + "\n";
    text += Distances(comparison) + "\n";
    text += Criteria(comparison) + "\n";
    text += Tests(comparison) + "\n";
    text += Symmetry(comparison) + "\n";
    return text + Preference(comparison);
}

}  // namespace dyvern
