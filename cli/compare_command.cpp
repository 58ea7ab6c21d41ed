// dyvern-cli compare: the likelihood fits of each pair side by side, then
// the likelihood-ratio tests of the nested pairs.
#include "command.h"
#include "estimate/model_comparison.h"
#include "estimation_options.h"
#include "fit_notes.h"
#include "model_choice.h"
#include "record_writer.h"
#include "report/comparison_records.h"

namespace dyvern::cli {
namespace {

void WriteModels(RecordWriter<ModelRecord>& writer, const NamedTable& table,
                 const ModelComparison& comparison) {
    for (std::size_t m = 0; m < comparison.fits.size(); ++m)
        writer.Write(ModelRecord{NamesOf(table), comparison, m});
}

void WriteTests(RecordWriter<TestRecord>& writer, const NamedTable& table,
                const ModelComparison& comparison) {
    for (const LikelihoodRatioTest& test : comparison.tests)
        writer.Write(TestRecord{NamesOf(table), test});
}

void WriteSymmetry(RecordWriter<SymmetryRecord>& writer, const NamedTable& table,
                   const ModelComparison& comparison) {
    for (const NamedSymmetryTest& named : SymmetryTestsOf(comparison))
        writer.Write(SymmetryRecord{NamesOf(table), named});
}

// Which model each criterion prefers, or why none is: a note on standard error.
bool NotePreference(const NamedTable& table, const ModelComparison& comparison, std::ostream& err) {
    // One table problem makes every model unfittable: say it once.
    bool unfitted = false;
    for (const PairFit& fit : comparison.fits)
        if (!unfitted) unfitted = ReportUnfitted(table, fit, err);
    if (RejectsSymmetry(comparison))
        err << table.seq1 << " and " << table.seq2
            << ": the table is not symmetric at 5% (see the symmetry tests): every model "
               "compared assumes it, so their distances are biased; LogDet and paralinear do "
               "not assume it\n";
    if (comparison.ranked)
        err << table.seq1 << " and " << table.seq2 << ": AIC prefers "
            << FactsOf(comparison.bestAIC).word << ", BIC prefers "
            << FactsOf(comparison.bestBIC).word << "\n";
    return unfitted;
}

}  // namespace

int RunCompare(const Arguments& arguments, Streams streams) {
    const std::string& path = OneOperand(arguments, "FILE");
    const bool json = arguments.Value("format", "tsv") == "json";
    const std::vector<ModelKind> models(std::begin(kLikelihoodModels), std::end(kLikelihoodModels));
    const EstimationChoice choice = ReadEstimation(arguments, models, "ml");
    const Input input = ReadInput(path);
    const std::optional<std::array<double, 4>> composition = AlignmentComposition(choice, input);
    const std::vector<NamedTable> tables = ChosenTables(input, arguments);
    WriteSitesLeftOut(tables, streams.err);

    std::vector<ModelComparison> comparisons;
    bool anyUnfitted = false;
    for (const NamedTable& table : tables) {
        // The table of models prints no distances, so no uncertainty of d either.
        comparisons.push_back(
            CompareModels(table.counts, table.siteCount, Uncertainty::None,
                          OptionsFor(choice, Criterion::MaxLikelihood, table, composition)));
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
    streams.out << (json ? ",\n\"symmetry\": " : "\n");
    {
        RecordWriter symmetry(streams.out, format, kSymmetryColumns);
        for (std::size_t p = 0; p < tables.size(); ++p)
            WriteSymmetry(symmetry, tables[p], comparisons[p]);
    }
    streams.out << (json ? "}\n" : "");
    return anyUnfitted ? kSomePairsNotFitted : kDone;
}

}  // namespace dyvern::cli
