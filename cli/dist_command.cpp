// dyvern-cli dist: d for every pair of an alignment, as a PHYLIP matrix or a
// list of pairs.
#include <algorithm>
#include <cmath>
#include <ostream>

#include "command.h"
#include "estimate/pair_fit.h"
#include "model_choice.h"
#include "pair_source.h"
#include "record_writer.h"
#include "usage_error.h"

namespace dyvern::cli {
namespace {

// What the matrix shows for a pair without a finite d.
constexpr const char* kNoDistance = "-1";
constexpr int kPhylipNameWidth = 10;

struct DistOptions {
    ModelKind model = ModelKind::K80;
    Criterion criterion = Criterion::MaxLikelihood;
    Ambiguity ambiguity = Ambiguity::Skip;
    bool matrix = true;
    bool filtered = false;
    double maxD = 0.0;
};

DistOptions ReadOptions(const Arguments& arguments) {
    DistOptions options;
    options.model = OneModelOption(arguments, ModelKind::K80);
    options.criterion = CriteriaOption(arguments, "ml").front();
    options.ambiguity = AmbiguityOption(arguments);
    options.matrix = arguments.Value("format", "phylip") == "phylip";
    if (arguments.Has("threads")) WholeNumber("threads", arguments.Value("threads", ""), 0, 1024);
    if (arguments.Has("max-d")) {
        if (options.matrix) throw UsageError("--max-d keeps pairs of a list: use --format tsv");
        options.filtered = true;
        options.maxD = DecimalNumber("max-d", arguments.Value("max-d", ""));
    }
    return options;
}

struct PairResult {
    int sites = 0;
    double d = kNotApplicable;
    double seD = kNotApplicable;
    FitStatus status = FitStatus::Unfittable;
};

PairResult DistanceOf(const Alignment& alignment, std::size_t i, std::size_t j,
                      const DistOptions& options) {
    const NamedTable table = TableOf(alignment, i, j, options.ambiguity);
    const PairFit fit = FitPair(table.counts, table.siteCount, options.model, options.criterion);
    return {table.siteCount, fit.d, fit.seD, fit.status};
}

// Pairs without a finite d, named on standard error as they are met.
class Warnings {
public:
    explicit Warnings(std::ostream& err) : err(err) {}
    void Note(const Alignment& a, std::size_t i, std::size_t j, const PairResult& r) {
        if (r.status == FitStatus::Unfittable) {
            ++unfitted;
            err << a.names[i] << " and " << a.names[j] << ": no sites in common, no distance\n";
        } else if (r.status == FitStatus::Saturated) {
            ++saturated;
            err << a.names[i] << " and " << a.names[j]
                << ": too many differences for the model (saturated), no finite distance\n";
        }
    }
    int unfitted = 0;
    int saturated = 0;

private:
    std::ostream& err;
};

std::string PhylipName(const std::string& name) {
    return name.size() >= kPhylipNameWidth
               ? name + " "
               : name + std::string(kPhylipNameWidth - name.size(), ' ');
}

void WriteMatrix(const Alignment& alignment, const DistOptions& options, Streams streams,
                 Warnings& warnings) {
    const std::size_t count = alignment.names.size();
    streams.out << count << "\n";
    for (std::size_t i = 0; i < count; ++i) {
        streams.out << PhylipName(alignment.names[i]);
        for (std::size_t j = 0; j < count; ++j) {
            if (i == j) {
                streams.out << (j ? " 0" : "0");
                continue;
            }
            const PairResult r = DistanceOf(alignment, std::min(i, j), std::max(i, j), options);
            if (i < j) warnings.Note(alignment, i, j, r);
            const bool finite = std::isfinite(r.d);
            streams.out << (j ? " " : "") << (finite ? FormatNumber(r.d) : kNoDistance);
        }
        streams.out << "\n";
    }
}

void WriteList(const Alignment& alignment, const DistOptions& options, Streams streams,
               Warnings& warnings) {
    RecordWriter writer(streams.out, RecordFormat::Tsv,
                        {"seq1", "seq2", "sites", "d", "se_d", "status"});
    long long leftOut = 0;
    const std::size_t count = alignment.names.size();
    for (std::size_t i = 0; i < count; ++i) {
        for (std::size_t j = i + 1; j < count; ++j) {
            const PairResult r = DistanceOf(alignment, i, j, options);
            warnings.Note(alignment, i, j, r);
            if (options.filtered && !(r.d <= options.maxD)) {
                ++leftOut;
                continue;
            }
            writer.Write({alignment.names[i], alignment.names[j], r.sites, r.d, r.seD,
                          StatusWord(r.status)});
        }
    }
    if (options.filtered)
        streams.err << leftOut << " pairs with d above " << FormatNumber(options.maxD)
                    << " (or no finite d) left out\n";
}

}  // namespace

int RunDist(const Arguments& arguments, Streams streams) {
    const std::string& path = OneOperand(arguments, "ALIGNMENT");
    const DistOptions options = ReadOptions(arguments);
    const Input input = ReadInput(path);
    if (input.kind == InputKind::DataFile)
        throw UsageError(path + " is a data file, one pair: dist needs an alignment");
    const Alignment& alignment = std::get<Alignment>(input.content);
    Warnings warnings(streams.err);
    if (options.matrix) {
        WriteMatrix(alignment, options, streams, warnings);
        if (warnings.saturated + warnings.unfitted > 0)
            streams.err << "the matrix shows " << kNoDistance << " for the "
                        << warnings.saturated + warnings.unfitted << " pairs without a distance\n";
    } else {
        WriteList(alignment, options, streams, warnings);
    }
    return warnings.unfitted > 0 ? kSomePairsNotFitted : kDone;
}

}  // namespace dyvern::cli
