// dyvern-cli fit: every chosen model and criterion fitted to every chosen pair.
#include "command.h"
#include "estimation_options.h"
#include "fit_notes.h"
#include "model_choice.h"
#include "record_writer.h"
#include "report/fit_record.h"

namespace dyvern::cli {

int RunFit(const Arguments& arguments, Streams streams) {
    const std::string& path = OneOperand(arguments, "FILE");
    const std::vector<ModelKind> models =
        ModelsOption(arguments, {std::begin(kWindowModels), std::end(kWindowModels)});
    const EstimationChoice choice = ReadEstimation(arguments, models, "both");
    const RecordFormat format =
        arguments.Value("format", "tsv") == "json" ? RecordFormat::Json : RecordFormat::Tsv;
    const Input input = ReadInput(path);
    const std::optional<std::array<double, 4>> composition = AlignmentComposition(choice, input);
    const std::vector<NamedTable> tables = ChosenTables(input, arguments);
    WriteSitesLeftOut(tables, streams.err);

    bool anyUnfitted = false;
    RecordWriter writer(streams.out, format, kFitColumns);
    for (const NamedTable& table : tables) {
        for (const ModelKind model : models) {
            for (const Criterion criterion : CriteriaFor(choice, model)) {
                const PairFit fit =
                    FitPair(table.counts, table.siteCount, model, criterion, Uncertainty::Full,
                            OptionsFor(choice, criterion, table, composition));
                anyUnfitted |= ReportUnfitted(table, fit, streams.err);
                writer.Write(FitRecord{NamesOf(table), table.siteCount, fit});
            }
        }
    }
    writer.Finish();
    streams.out << (format == RecordFormat::Json ? "\n" : "");
    return anyUnfitted ? kSomePairsNotFitted : kDone;
}

}  // namespace dyvern::cli
