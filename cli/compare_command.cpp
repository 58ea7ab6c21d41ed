// dyvern-cli compare: the four likelihood fits of each pair side by side,
// then the likelihood-ratio tests of the nested pairs.
#include <sstream>

#include "command.h"
#include "estimate/model_comparison.h"
#include "fit_rows.h"
#include "model_choice.h"

namespace dyvern::cli {
namespace {

const std::vector<std::string> kModelColumns = {"seq1", "seq2", "model", "k",     "lnL",
                                                "AIC",  "AICc", "BIC",   "w_AIC", "w_BIC"};
const std::vector<std::string> kTestColumns = {"seq1", "seq2", "null", "alternative",
                                               "df",   "LR",   "P"};

void WriteModels(RecordWriter& writer, const NamedTable& table, const ModelComparison& comparison) {
    for (int m = 0; m < 4; ++m) {
        const PairFit& fit = comparison.fits[m];
        writer.Write({table.seq1, table.seq2, ModelWord(fit.model), fit.k, fit.lnL, fit.aic,
                      fit.aicc, fit.bic, comparison.aicWeights[m], comparison.bicWeights[m]});
    }
}

void WriteTests(RecordWriter& writer, const NamedTable& table, const ModelComparison& comparison) {
    for (const LikelihoodRatioTest& test : comparison.tests)
        writer.Write({table.seq1, table.seq2, ModelWord(test.null), ModelWord(test.alternative),
                      test.df, test.statistic, test.prob});
}

// Which model each criterion prefers, or why none is: a note on standard error.
bool NotePreference(const NamedTable& table, const ModelComparison& comparison, std::ostream& err) {
    // One table problem makes every model unfittable: say it once.
    bool unfitted = false;
    for (const PairFit& fit : comparison.fits)
        if (!unfitted) unfitted = ReportUnfitted(table, fit, err);
    if (comparison.ranked)
        err << table.seq1 << " and " << table.seq2 << ": AIC prefers "
            << ModelWord(comparison.bestAIC) << ", BIC prefers " << ModelWord(comparison.bestBIC)
            << "\n";
    return unfitted;
}

}  // namespace

int RunCompare(const Arguments& arguments, Streams streams) {
    const std::string& path = OneOperand(arguments, "FILE");
    const bool json = arguments.Value("format", "tsv") == "json";
    const std::vector<NamedTable> tables = ChosenTables(ReadInput(path), arguments);
    WriteSitesLeftOut(tables, streams.err);

    std::vector<ModelComparison> comparisons;
    bool anyUnfitted = false;
    for (const NamedTable& table : tables) {
        // The table of models prints no distances, so no uncertainty of d either.
        comparisons.push_back(CompareModels(table.counts, table.siteCount, Uncertainty::None));
        anyUnfitted |= NotePreference(table, comparisons.back(), streams.err);
    }
    const RecordFormat format = json ? RecordFormat::Json : RecordFormat::Tsv;
    streams.out << (json ? "{\"models\": " : "");
    {
        RecordWriter models(streams.out, format, kModelColumns);
        for (std::size_t p = 0; p < tables.size(); ++p)
            WriteModels(models, tables[p], comparisons[p]);
    }
    streams.out << (json ? ",\n\"tests\": " : "\n");
    {
        RecordWriter tests(streams.out, format, kTestColumns);
        for (std::size_t p = 0; p < tables.size(); ++p)
            WriteTests(tests, tables[p], comparisons[p]);
    }
    streams.out << (json ? "}\n" : "");
    return anyUnfitted ? kSomePairsNotFitted : kDone;
}

}  // namespace dyvern::cli
