#include "dist_summary.h"

#include <cmath>
#include <limits>

#include "number_text.h"
#include "record_text.h"

namespace dyvern::cli {
namespace {

constexpr double kNone = std::numeric_limits<double>::quiet_NaN();  // written null

// "key": value pairs, one object at a time.
class JsonObject {
public:
    JsonObject(std::string& out, const char* indent) : out(out), indent(indent) { out += "{"; }
    JsonObject& Key(const std::string& key) {
        out += first ? "\n" : ",\n";
        first = false;
        out += indent;
        AppendJsonString(out, key);
        out += ": ";
        return *this;
    }
    JsonObject& Text(const std::string& key, const std::string& value) {
        Key(key);
        AppendJsonString(out, value);
        return *this;
    }
    JsonObject& Number(const std::string& key, double value) {
        Key(key);
        out += std::isfinite(value) ? FormatNumber(value) : "null";
        return *this;
    }
    JsonObject& Flag(const std::string& key, bool value) {
        Key(key);
        out += value ? "true" : "false";
        return *this;
    }
    JsonObject& Count(const std::string& key, long long value) {
        Key(key);
        out += std::to_string(value);
        return *this;
    }
    void Close(const char* outer) {
        out += "\n";
        out += outer;
        out += "}";
    }

private:
    std::string& out;
    const char* indent;
    bool first = true;
};

void AppendInputs(std::string& out, const std::vector<InputFacts>& inputs) {
    out += "[";
    for (std::size_t k = 0; k < inputs.size(); ++k) {
        out += k ? ", " : "";
        out += "{\"file\": ";
        AppendJsonString(out, inputs[k].file);
        out += ", \"sequences\": " + std::to_string(inputs[k].sequences) + "}";
    }
    out += "]";
}

void AppendOptions(std::string& out, const SummaryFacts& facts) {
    const RateVariation& v = facts.variation;
    JsonObject options(out, "    ");
    options.Text("model", facts.model).Text("criterion", facts.criterion);
    options.Text("ambiguity", facts.ambiguity).Flag("n_ambiguous", facts.unknownAsAmbiguous);
    options.Number("resolve_limit", facts.resolveLimit).Text("frequencies", facts.frequencies);
    options.Number("gamma", v.alpha)
        .Number("gamma_categories", facts.gammaCategories > 0 ? facts.gammaCategories : kNone);
    options.Number("invariant", v.invariant > 0.0 ? v.invariant : kNone);
    options.Number("max_d", facts.maxD ? *facts.maxD : kNone);
    options.Count("min_overlap", facts.minOverlap).Text("format", facts.format);
    options.Close("  ");
}

bool IsList(const std::string& format) { return format == "tsv" || format == "csv"; }

void AppendPairs(std::string& out, const SummaryFacts& facts, const RowTotals& totals) {
    // A list leaves out the pairs without a distance when it keeps pairs by
    // --max-d, and a CSV always; a matrix and a plain TSV write them.
    const bool list = IsList(facts.format);
    const bool dropsMissing = list && (facts.maxD || facts.format == "csv");
    const long long tooFew = dropsMissing ? totals.Of(FitStatus::TooFewSites) : 0;
    long long withDistance = totals.aboveMaxD;
    for (const long long count : totals.histogram) withDistance += count;
    JsonObject pairs(out, "    ");
    pairs.Count("compared", totals.Pairs()).Count("with_distance", withDistance);
    pairs.Count("written", list ? totals.written : totals.Pairs());
    pairs.Key("left_out");
    JsonObject left(out, "      ");
    left.Count("total", totals.leftOut).Count("above_max_d", totals.aboveMaxD);
    left.Count("too_few_sites", tooFew);
    left.Count("no_distance", totals.leftOut - totals.aboveMaxD - tooFew);
    left.Close("    ");
    pairs.Key("by_status");
    JsonObject statuses(out, "      ");
    for (int s = 0; s < kFitStatusCount; ++s)
        statuses.Count(StatusWord(static_cast<FitStatus>(s)), totals.statuses[s]);
    statuses.Close("    ");
    pairs.Close("  ");
}

void AppendHistogram(std::string& out, const RowTotals& totals) {
    out += "[";
    for (int k = 0; k < kHistogramBins; ++k) {
        out += k ? ",\n    " : "\n    ";
        out += "{\"from\": " + FormatNumber(BinLower(k)) + ", \"to\": ";
        out += std::isfinite(BinUpper(k)) ? FormatNumber(BinUpper(k)) : "null";
        out +=
            ", \"pairs\": " + std::to_string(totals.histogram[static_cast<std::size_t>(k)]) + "}";
    }
    out += "\n  ]";
}

}  // namespace

std::string SummaryJson(const SummaryFacts& facts, const RowTotals& totals) {
    std::string out;
    JsonObject summary(out, "  ");
    summary.Key("inputs");
    AppendInputs(out, facts.inputs);
    summary.Count("sites", facts.sites);
    summary.Key("options");
    AppendOptions(out, facts);
    summary.Key("pairs");
    AppendPairs(out, facts, totals);
    summary.Key("histogram");
    AppendHistogram(out, totals);
    summary.Close("");
    return out + "\n";
}

}  // namespace dyvern::cli
