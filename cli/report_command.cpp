// dyvern-cli report: the window's report after Solve and Report.
#include <cmath>
#include <cstdlib>

#include "base/format.h"
#include "command.h"
#include "model/hkymodel.h"
#include "model/table_checks.h"
#include "model_choice.h"
#include "pair_source.h"
#include "report/report.h"
#include "solve/powell_fit.h"
#include "usage_error.h"

namespace dyvern::cli {
namespace {

constexpr int kFieldDecimals = 6;

// The window shows each estimate in a field with six decimals and computes
// the expected table from what the fields show.
double AsTheFieldShows(double value) {
    return std::strtod(FormatFixed(value, kFieldDecimals).c_str(), nullptr);
}

// The window's Solve from its start values, then the expected table of the
// estimates as its fields show them.
DivergenceCounts ExpectedAfterSolve(const FitTarget& target) {
    const ParameterValues e = FitModel(target, kStartValues).estimates;
    const HKYModel model(target, AsTheFieldShows(e.betat), AsTheFieldShows(e.kappa),
                         AsTheFieldShows(e.piA), AsTheFieldShows(e.piC), AsTheFieldShows(e.piG));
    DivergenceCounts expected{};
    for (int i = 0; i < 4; ++i)
        for (int j = 0; j < 4; ++j)
            expected[i][j] = model.JointProbability(i, j) * target.siteCount;
    return expected;
}

}  // namespace

int RunReport(const Arguments& arguments, Streams streams) {
    const std::string& path = OneOperand(arguments, "FILE");
    if (!arguments.Has("model")) throw UsageError("report needs --model M");
    const ModelKind model = OneModelOption(arguments, ModelKind::JC69);
    if (!Estimable(model, Estimation::LeastSquares))
        throw UsageError("report writes the window's report, of " +
                         ModelWords(Estimation::LeastSquares) + ", not '" + FactsOf(model).word +
                         "'");
    const std::vector<NamedTable> tables = ChosenTables(ReadInput(path), arguments);
    WriteSitesLeftOut(tables, streams.err);
    const NamedTable& table = tables.front();
    if (const char* problem = TableProblem(table.counts, table.siteCount)) {
        streams.err << table.seq1 << " and " << table.seq2 << ": no report: " << problem << "\n";
        return kSomePairsNotFitted;
    }
    FitTarget target;
    target.modelKind = model;
    target.criterion = Criterion::MaxLikelihood;
    target.siteCount = table.siteCount;
    target.observed = table.counts;
    streams.out << ReportText(target, ExpectedAfterSolve(target));
    return kDone;
}

}  // namespace dyvern::cli
