// dyvern-cli dist: d for every pair of an alignment, as a PHYLIP matrix or a
// list of pairs.
#include <algorithm>
#include <cmath>
#include <ostream>

#include "command.h"
#include "distance/distance_rows.h"
#include "model_choice.h"
#include "pair_source.h"
#include "record_writer.h"
#include "usage_error.h"

namespace dyvern::cli {
namespace {

// What the matrix shows for a pair without a finite d.
constexpr const char* kNoDistance = "-1";
constexpr int kPhylipNameWidth = 10;

constexpr int kMostThreads = 1024;

struct ListFilter {
    bool on = false;
    double maxD = 0.0;
};

DistanceOptions ReadOptions(const Arguments& arguments) {
    DistanceOptions options;
    options.model = OneModelOption(arguments, ModelKind::K80);
    options.criterion = CriteriaOption(arguments, "ml").front();
    options.ambiguity = AmbiguityOption(arguments);
    if (arguments.Has("threads"))
        options.threads = WholeNumber("threads", arguments.Value("threads", ""), 0, kMostThreads);
    return options;
}

bool MatrixFormat(const Arguments& arguments) {
    return arguments.Value("format", "phylip") == "phylip";
}

ListFilter ReadFilter(const Arguments& arguments) {
    if (!arguments.Has("max-d")) return {};
    if (MatrixFormat(arguments))
        throw UsageError("--max-d keeps pairs of a list: use --format tsv");
    return {true, DecimalNumber("max-d", arguments.Value("max-d", ""))};
}

// Pairs without a finite d, named on standard error as they are met.
class Warnings {
public:
    Warnings(const PackedAlignment& packed, std::ostream& err) : packed(packed), err(err) {}
    void Note(int i, int j, const PairDistance& r) {
        if (r.status == FitStatus::Unfittable) {
            ++unfitted;
            err << packed.name(i) << " and " << packed.name(j)
                << ": no sites in common, no distance\n";
        } else if (r.status == FitStatus::Saturated) {
            ++saturated;
            err << packed.name(i) << " and " << packed.name(j)
                << ": too many differences for the model (saturated), no finite distance\n";
        }
    }
    int unfitted = 0;
    int saturated = 0;

private:
    const PackedAlignment& packed;
    std::ostream& err;
};

std::string PhylipName(const std::string& name) {
    return name.size() >= kPhylipNameWidth
               ? name + " "
               : name + std::string(kPhylipNameWidth - name.size(), ' ');
}

// Each row is written as soon as it is finished, so that memory does not
// grow with the number of pairs.
void WriteMatrix(const PackedAlignment& packed, const DistanceOptions& options, Streams streams,
                 Warnings& warnings) {
    const int count = static_cast<int>(packed.size());
    streams.out << count << "\n";
    ComputeDistanceRows(packed, options, RowShape::Square, 0, count,
                        [&](int i, const std::vector<PairDistance>& row) {
                            std::string line = PhylipName(packed.name(i));
                            for (int j = 0; j < count; ++j) {
                                if (i < j) warnings.Note(i, j, row[j]);
                                const double d = i == j ? 0.0 : row[j].d;
                                line += j ? " " : "";
                                line += std::isfinite(d) ? FormatNumber(d) : kNoDistance;
                            }
                            streams.out << line << "\n";
                        });
}

void WriteList(const PackedAlignment& packed, const DistanceOptions& options,
               const ListFilter& filter, Streams streams, Warnings& warnings) {
    RecordWriter writer(streams.out, RecordFormat::Tsv,
                        {"seq1", "seq2", "sites", "d", "se_d", "status"});
    long long leftOut = 0;
    const int count = static_cast<int>(packed.size());
    ComputeDistanceRows(packed, options, RowShape::UpperTriangle, 0, count,
                        [&](int i, const std::vector<PairDistance>& row) {
                            for (std::size_t k = 0; k < row.size(); ++k) {
                                const int j = i + 1 + static_cast<int>(k);
                                const PairDistance& r = row[k];
                                warnings.Note(i, j, r);
                                if (filter.on && !(r.d <= filter.maxD)) {
                                    ++leftOut;
                                    continue;
                                }
                                writer.Write({packed.name(i), packed.name(j), r.sites, r.d,
                                              r.seD, StatusWord(r.status)});
                            }
                        });
    if (filter.on)
        streams.err << leftOut << " pairs with d above " << FormatNumber(filter.maxD)
                    << " (or no finite d) left out\n";
}

}  // namespace

int RunDist(const Arguments& arguments, Streams streams) {
    const std::string& path = OneOperand(arguments, "ALIGNMENT");
    const DistanceOptions options = ReadOptions(arguments);
    const ListFilter filter = ReadFilter(arguments);
    const Input input = ReadInput(path);
    if (input.kind == InputKind::DataFile)
        throw UsageError(path + " is a data file, one pair: dist needs an alignment");
    const PackedAlignment packed(std::get<Alignment>(input.content));
    Warnings warnings(packed, streams.err);
    if (MatrixFormat(arguments)) {
        WriteMatrix(packed, options, streams, warnings);
        if (warnings.saturated + warnings.unfitted > 0)
            streams.err << "the matrix shows " << kNoDistance << " for the "
                        << warnings.saturated + warnings.unfitted << " pairs without a distance\n";
    } else {
        WriteList(packed, options, filter, streams, warnings);
    }
    return warnings.unfitted > 0 ? kSomePairsNotFitted : kDone;
}

}  // namespace dyvern::cli
