#include "report/comparison_text.h"

#include <cmath>
#include <cstdio>

#include "base/format.h"

namespace dyvern {
namespace {

constexpr int kColumn = 12;
constexpr int kDecimals = 6;
const char* Word(ModelKind model) { return FactsOf(model).word; }

std::string PadLeft(const std::string& text, int width) {
    return text.size() < static_cast<std::size_t>(width)
               ? std::string(width - text.size(), ' ') + text
               : " " + text;
}

std::string Cell(double value) {
    if (std::isnan(value)) return PadLeft("-", kColumn);
    if (std::isinf(value)) return PadLeft(value > 0 ? "inf" : "-inf", kColumn);
    return PadLeft(FormatFixed(value, kDecimals), kColumn);
}

std::string Cell(const std::string& text) { return PadLeft(text, kColumn); }

// Fits are in model-list order.

std::string Row(const std::string& name, std::initializer_list<std::string> cells) {
    constexpr std::size_t kNameWidth = 6;
    std::string row =
        name + std::string(name.size() < kNameWidth ? kNameWidth - name.size() : 1, ' ');
    for (const std::string& cell : cells) row += cell;
    return row + "\n";
}

std::string Estimates(const ModelComparison& comparison) {
    std::string text = "Estimates (maximum likelihood):\n";
    text += Row("Model", {Cell("bt"), Cell("kappa"), Cell("piA"), Cell("piC"), Cell("piG"),
                          Cell("piT"), Cell("status")});
    for (int m = 0; m < 4; ++m) {
        const PairFit& f = comparison.fits[m];
        text += Row(Word(f.model), {Cell(f.bt), Cell(f.kappa), Cell(f.pi[A]), Cell(f.pi[C]),
                                     Cell(f.pi[G]), Cell(f.pi[T]), Cell(StatusWord(f.status))});
    }
    return text;
}

std::string Distances(const ModelComparison& comparison) {
    std::string text =
        "d, substitutions per site, with its standard error and 95% profile "
        "likelihood interval:\n";
    text += Row("Model", {Cell("d"), Cell("se(d)"), Cell("lower"), Cell("upper")});
    for (int m = 0; m < 4; ++m) {
        const PairFit& f = comparison.fits[m];
        text += Row(Word(f.model), {Cell(f.d), Cell(f.seD), Cell(f.dLow), Cell(f.dHigh)});
    }
    return text;
}

std::string Criteria(const ModelComparison& comparison) {
    std::string text = "Information criteria and Akaike weights:\n";
    text += Row("Model", {Cell("lnL"), Cell("k"), Cell("AIC"), Cell("AICc"), Cell("BIC"),
                          Cell("w(AIC)"), Cell("w(BIC)")});
    for (int m = 0; m < 4; ++m) {
        const PairFit& f = comparison.fits[m];
        text += Row(Word(f.model),
                    {Cell(f.lnL), Cell(std::to_string(f.k)), Cell(f.aic), Cell(f.aicc), Cell(f.bic),
                     Cell(comparison.aicWeights[m]), Cell(comparison.bicWeights[m])});
    }
    return text;
}

std::string Tests(const ModelComparison& comparison) {
    std::string text = "Likelihood-ratio tests (2 (lnL alternative - lnL null), chi-square):\n";
    text += Row("Null", {Cell("alternative"), Cell("statistic"), Cell("df"), Cell("P")});
    for (const LikelihoodRatioTest& t : comparison.tests)
        text += Row(Word(t.null),
                    {Cell(Word(t.alternative)), Cell(t.statistic),
                     Cell(std::to_string(t.df)), Cell(t.prob)});
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
    text += Distances(comparison) + "\n";
    text += Criteria(comparison) + "\n";
    text += Tests(comparison) + "\n";
    return text + Preference(comparison);
}

}  // namespace dyvern
