#include "pair_source.h"

#include <map>
#include <ostream>

#include "formula/base_composition.h"
#include "usage_error.h"

namespace dyvern::cli {
namespace {

NamedTable TableOfDataFile(const Input& input, const std::string& path,
                           const Arguments& arguments) {
    if (arguments.Has("pair") || arguments.Has("all-pairs"))
        throw UsageError(path +
                         " is a data file, which holds one pair: it takes no --pair or "
                         "--all-pairs");
    const DataFileTable& table = std::get<DataFileTable>(input.content);
    NamedTable named;
    named.seq1 = path;
    named.seq2 = "-";
    named.counts = table.counts;
    named.siteCount = table.siteCount;
    return named;
}

std::vector<NamedTable> AllPairs(const Alignment& alignment, const SiteReading& reading) {
    std::vector<NamedTable> tables;
    const std::size_t count = alignment.names.size();
    for (std::size_t i = 0; i < count; ++i)
        for (std::size_t j = i + 1; j < count; ++j)
            tables.push_back(TableOf(alignment, i, j, reading));
    return tables;
}

std::vector<NamedTable> TablesOfAlignment(const Alignment& alignment, const Arguments& arguments) {
    const SiteReading reading = ReadingOption(arguments);
    if (arguments.Has("pair") && arguments.Has("all-pairs"))
        throw UsageError("--pair and --all-pairs cannot be given together");
    if (arguments.Has("all-pairs")) return AllPairs(alignment, reading);
    if (arguments.Has("pair")) {
        const std::vector<std::string>& names = arguments.Values("pair");
        const std::size_t i = IndexOfName(alignment, names[0]);
        const std::size_t j = IndexOfName(alignment, names[1]);
        if (i == j) throw UsageError("--pair names '" + names[0] + "' twice");
        return {TableOf(alignment, i, j, reading)};
    }
    if (alignment.names.size() == 2) return {TableOf(alignment, 0, 1, reading)};
    throw UsageError(alignment.source + " holds " + std::to_string(alignment.names.size()) +
                     " sequences: choose a pair with --pair NAME1 NAME2, or --all-pairs");
}

}  // namespace

SiteReading ReadingOption(const Arguments& arguments) {
    static const std::map<std::string, Ambiguity> kModes = {
        {"skip", Ambiguity::Skip},
        {"average", Ambiguity::Average},
        {"resolve", Ambiguity::Resolve},
        {"resolve-shared", Ambiguity::ResolveShared},
        {"gapmm", Ambiguity::GapMismatch}};
    SiteReading reading(kModes.at(arguments.Value("ambiguity", "skip")));
    reading.unknownAsAmbiguous = arguments.Has("n-ambiguous");
    if (!arguments.Has("resolve-limit")) return reading;
    if (reading.ambiguity != Ambiguity::Resolve && reading.ambiguity != Ambiguity::ResolveShared)
        throw UsageError("--resolve-limit applies to --ambiguity resolve or resolve-shared");
    const double limit = DecimalNumber("resolve-limit", arguments.Value("resolve-limit", ""));
    if (!(limit >= 0.0 && limit <= 1.0))
        throw UsageError("--resolve-limit must be a share of the sites, from 0 to 1");
    reading.resolveLimit = limit;
    return reading;
}

NamedTable TableOf(const Alignment& alignment, std::size_t i, std::size_t j,
                   const SiteReading& reading) {
    const PairTable table = CountPair(alignment.sequences[i], alignment.sequences[j], reading);
    NamedTable named;
    named.seq1 = alignment.names[i];
    named.seq2 = alignment.names[j];
    named.counts = table.counts;
    named.siteCount = table.sites;
    named.alignmentLength = static_cast<int>(alignment.sequences[i].size());
    named.gapOrMissing = table.gapOrMissing;
    named.ambiguous = table.ambiguous;
    named.composition1 = SequenceComposition(alignment.sequences[i]);
    named.composition2 = SequenceComposition(alignment.sequences[j]);
    return named;
}

std::vector<NamedTable> ChosenTables(const Input& input, const Arguments& arguments) {
    const std::string& path = arguments.operands.front();
    if (input.kind == InputKind::DataFile) return {TableOfDataFile(input, path, arguments)};
    return TablesOfAlignment(std::get<Alignment>(input.content), arguments);
}

void WriteSitesLeftOut(const std::vector<NamedTable>& tables, std::ostream& err) {
    for (const NamedTable& t : tables) {
        if (t.alignmentLength == 0) continue;
        err << t.seq1 << " and " << t.seq2 << ": " << t.siteCount << " of " << t.alignmentLength
            << " sites counted, " << t.gapOrMissing << " left out for a gap or missing data, "
            << t.ambiguous << " for an ambiguity code\n";
    }
}

}  // namespace dyvern::cli
