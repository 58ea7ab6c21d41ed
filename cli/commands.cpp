#include "command.h"
#include "model_help.h"
#include "surveillance_help.h"

namespace dyvern::cli {
namespace {

const OptionRule kPair{"pair", 2, {}};
const OptionRule kAllPairs{"all-pairs", 0, {}};
const OptionRule kModel{"model", 1, {}};
const OptionRule kCriterion{"criterion", 1, {"ml", "ls", "formula", "both"}};
const OptionRule kOneCriterion{"criterion", 1, {"ml", "ls", "formula"}};
const OptionRule kFrequencies{"frequencies", 1, {"pair", "alignment"}};
const OptionRule kGamma{"gamma", 1, {}};
const OptionRule kGammaCategories{"gamma-categories", 1, {}};
const OptionRule kInvariant{"invariant", 1, {}};
const OptionRule kAmbiguity{
    "ambiguity", 1, {"skip", "average", "resolve", "resolve-shared", "gapmm"}};
const OptionRule kUnknownAsCode{"n-ambiguous", 0, {}};
const OptionRule kResolveLimit{"resolve-limit", 1, {}};
// Options that always come together: how sites are read, and the
// likelihood's frequencies and rates among sites.
const std::vector<OptionRule> kReading = {kAmbiguity, kUnknownAsCode, kResolveLimit};
const std::vector<OptionRule> kVariation = {kFrequencies, kGamma, kGammaCategories, kInvariant};

std::vector<OptionRule> RulesOf(std::initializer_list<std::vector<OptionRule>> groups) {
    std::vector<OptionRule> rules;
    for (const std::vector<OptionRule>& group : groups)
        rules.insert(rules.end(), group.begin(), group.end());
    return rules;
}

const OptionRule kRecordFormat{"format", 1, {"tsv", "json"}};
const OptionRule kDistFormat{"format", 1, {"phylip", "phylip-lower", "tsv", "csv"}};
const OptionRule kClusterFormat{"format", 1, {"csv", "json"}};
const OptionRule kAgainst{"against", 1, {}};
const OptionRule kMinOverlap{"min-overlap", 1, {}};
const OptionRule kSummary{"summary", 1, {}};
const OptionRule kThresholds{"thresholds", 1, {}};
const OptionRule kSingletons{"singletons", 0, {}};
const OptionRule kThreads{"threads", 1, {}};
const OptionRule kMaxD{"max-d", 1, {}};
const OptionRule kOutput{"output", 1, {}};

constexpr const char* kPairHelp =
    "Pairs:\n"
    "  A data file is one pair. An alignment of two sequences needs no choice;\n"
    "  otherwise name one pair or ask for all of them:\n"
    "  --pair NAME1 NAME2   sequence 1 (the table's rows) and sequence 2 (columns)\n"
    "  --all-pairs          every pair, in the order of the alignment\n";

constexpr const char* kAmbiguityHelp =
    "  --ambiguity MODE     what a site with an ambiguity code (R, Y, S, W, K, M, B,\n"
    "                       D, H, V) in either sequence counts as:\n"
    "                       skip    the site is left out (the default).\n"
    "                       average the site is shared out in equal parts over the\n"
    "                               base pairs the two sequences allow.\n"
    "                       resolve a code that allows the other sequence's base\n"
    "                               counts as that base; otherwise as average.\n"
    "                       resolve-shared\n"
    "                               as resolve, and two codes that share bases\n"
    "                               count as a match on those bases (tn93's\n"
    "                               resolve); otherwise as average.\n"
    "                       gapmm   as average, with N and ? read as codes and a gap\n"
    "                               against a base or code read as N, so that it\n"
    "                               counts as three quarters of a difference\n"
    "                               (tn93's gapmm).\n"
    "                       Otherwise a site with a gap, N or ? in either sequence\n"
    "                       is left out of that pair (pairwise deletion).\n"
    "  --n-ambiguous        read N and ? as codes that allow every base, counted as\n"
    "                       the mode counts codes, rather than as missing data\n"
    "                       (tn93 reads them so)\n"
    "  --resolve-limit F    under resolve and resolve-shared: a pair whose resolved\n"
    "                       sites (and sites with a code on both sides) are at\n"
    "                       least F of its sites is counted under average instead\n"
    "                       (tn93's -g; default 1, never)\n";

constexpr const char* kFitHelp =
    "Usage: dyvern-cli fit FILE [--pair NAME1 NAME2 | --all-pairs] [--model M[,M...]]\n"
    "                  [--criterion ml|ls|formula|both] [--frequencies pair|alignment]\n"
    "                  [--gamma ALPHA [--gamma-categories K]] [--invariant P]\n"
    "                  [--ambiguity MODE] [--format tsv|json]\n\n"
    "Fits each model to the table of each pair and writes one row per pair, model\n"
    "and criterion: by maximum likelihood and, for the window's models, least\n"
    "squares (both, the default), or by the criterion given.\n\n"
    "  --model M[,M...]     models, in the order given (default: JC69, F81, K80,\n"
    "                       HKY85)\n"
    "  --format tsv|json    tab-separated with a header line (default), or a JSON\n"
    "                       array of objects with the same keys\n";

constexpr const char* kCompareHelp =
    "Usage: dyvern-cli compare FILE [--pair NAME1 NAME2 | --all-pairs]\n"
    "                      [--frequencies pair|alignment]\n"
    "                      [--gamma ALPHA [--gamma-categories K]] [--invariant P]\n"
    "                      [--ambiguity MODE] [--format tsv|json]\n\n"
    "Compares every model with a likelihood (JC69, F81, K80, T92, K81, F84, HKY85,\n"
    "TN93, GTR) fitted to each pair: k, lnL, AIC, AICc, BIC and the Akaike weights\n"
    "by AIC and by BIC; then, after a blank line, the likelihood-ratio tests of the\n"
    "nested pairs (LR = 2 (lnL alternative - lnL null), chi-square on the df):\n";

constexpr const char* kCompareTestsHelp =
    "and then, after another blank line, the matched-pairs tests of the table's\n"
    "symmetry, which every one of these models assumes (a stationary, reversible\n"
    "process): Bowker's test of symmetry, Stuart's of marginal symmetry (the two\n"
    "compositions alike) and the internal test (their difference). A pair that\n"
    "rejects symmetry at 5% is named on standard error: the models' distances are\n"
    "then biased, and LogDet or paralinear (dist, fit --criterion formula) are the\n"
    "distances that do not assume it. A test with cells too sparse to define it is\n"
    "NA. JSON gives an object with the arrays \"models\", \"tests\" and \"symmetry\".\n";

constexpr const char* kDistHelp =
    "Usage: dyvern-cli dist ALIGNMENT [--against FILE2] [--model M]\n"
    "                   [--criterion ml|ls|formula] [--frequencies pair|alignment]\n"
    "                   [--gamma ALPHA [--gamma-categories K]] [--invariant P]\n"
    "                   [--ambiguity MODE] [--min-overlap N]\n"
    "                   [--format phylip|phylip-lower|tsv|csv] [--max-d VALUE]\n"
    "                   [--threads N] [--output FILE] [--summary FILE]\n\n"
    "d, substitutions per site, for every pair of sequences.\n\n";

constexpr const char* kDistRunHelp =
    "  --model M            any model below (default: K80), by maximum likelihood\n"
    "                       (the default --criterion) or as --criterion says;\n"
    "                       tn93's distance is --model TN93 --criterion formula\n"
    "  --threads N          threads to use (default: every core); in a build\n"
    "                       with MPI, 'mpirun -np P dyvern-cli dist ...' also\n"
    "                       shares the pairs among P processes, same output\n"
    "  --output FILE        write to FILE instead of standard output (under\n"
    "                       mpirun much faster: the launcher passes standard\n"
    "                       output on through itself); created only once the\n"
    "                       alignment has been read\n\n"
    "A pair with no finite estimate of d (too many differences for the model, or\n"
    "no sites in common) has no distance: the matrix shows -1 for it, tsv shows\n"
    "inf or NA with its status, csv leaves it out, and standard error names\n"
    "every such pair.\n\n";

constexpr const char* kTableHelp =
    "Usage: dyvern-cli table ALIGNMENT NAME1 NAME2 [--ambiguity MODE]\n\n"
    "Writes the table of base pairs of two sequences as a data file that the\n"
    "Dyvern window opens: the number of sites counted, then the 16 counts, rows\n"
    "the bases of NAME1 and columns those of NAME2, both in the order A, C, G, T.\n";

constexpr const char* kReportHelp =
    "Usage: dyvern-cli report FILE [--pair NAME1 NAME2] --model M\n"
    "                     [--ambiguity MODE]\n\n"
    "Writes the window's report of the model (JC69, F81, K80 or HKY85) at its\n"
    "likelihood optimum: the same text as the file the window writes after Solve\n"
    "and Report.\n";

std::string Join(const char* a, const char* b, const char* c = "") {
    return std::string(a) + "\n" + b + c;
}

}  // namespace

const std::vector<Command>& Commands() {
    static const std::string fitHelp = Join(kFitHelp, EstimationHelp(true, true).c_str(), "\n") +
                                       ModelsHelp() + "\n" + FitColumnsHelp() + "\n" + kPairHelp +
                                       kAmbiguityHelp;
    static const std::string compareHelp = std::string(kCompareHelp) + NestedPairsHelp() +
                                           kCompareTestsHelp + "\n" + EstimationHelp(false, false) +
                                           "\n" + kPairHelp + kAmbiguityHelp;
    static const std::string distHelp = std::string(kDistHelp) + kDistInputsHelp +
                                        kDistOutputsHelp + kDistRunHelp + kDistSummaryHelp +
                                        "\nOptions:\n" + kAmbiguityHelp + "\n" +
                                        EstimationHelp(true, true) + "\n" + ModelsHelp();
    static const std::string clusterHelp = std::string(kClusterHelp) +
                                           "\nMore options for an alignment:\n" + kAmbiguityHelp +
                                           "\n" + EstimationHelp(true, true);
    static const std::string tableHelp = Join(kTableHelp, "Options:\n", kAmbiguityHelp);
    static const std::string reportHelp = Join(kReportHelp, kPairHelp, kAmbiguityHelp);
    static const std::vector<Command> kCommands = {
        {"fit", "fit the models to each pair: estimates, d, its uncertainty, fit test",
         fitHelp.c_str(),
         RulesOf({{kPair, kAllPairs, kModel, kCriterion}, kVariation, kReading, {kRecordFormat}}),
         RunFit},
        {"compare", "compare the models by likelihood: AIC, BIC, weights, LR and symmetry tests",
         compareHelp.c_str(), RulesOf({{kPair, kAllPairs}, kVariation, kReading, {kRecordFormat}}),
         RunCompare},
        {"dist", "d for all pairs, as a matrix or a list", distHelp.c_str(),
         RulesOf({{kModel, kOneCriterion},
                  kVariation,
                  kReading,
                  {kDistFormat, kThreads, kMaxD, kOutput, kAgainst, kMinOverlap, kSummary}}),
         RunDist},
        {"cluster", "transmission clusters: the components of the pairs within a threshold",
         clusterHelp.c_str(),
         RulesOf(
             {{kModel, kOneCriterion},
              kVariation,
              kReading,
              {kThreads, kMinOverlap, kMaxD, kThresholds, kClusterFormat, kSingletons, kOutput}}),
         RunCluster},
        {"table", "the table of base pairs of two sequences, as a data file", tableHelp.c_str(),
         kReading, RunTable},
        {"report", "the window's goodness-of-fit report for one model", reportHelp.c_str(),
         RulesOf({{kPair, kModel}, kReading}), RunReport},
    };
    return kCommands;
}

}  // namespace dyvern::cli
