#include "command.h"

namespace dyvern::cli {
namespace {

const OptionRule kPair{"pair", 2, {}};
const OptionRule kAllPairs{"all-pairs", 0, {}};
const OptionRule kModel{"model", 1, {}};
const OptionRule kCriterion{"criterion", 1, {"ml", "ls", "both"}};
const OptionRule kOneCriterion{"criterion", 1, {"ml", "ls"}};
const OptionRule kAmbiguity{"ambiguity", 1, {"skip", "average", "resolve"}};
const OptionRule kRecordFormat{"format", 1, {"tsv", "json"}};
const OptionRule kMatrixFormat{"format", 1, {"phylip", "tsv"}};
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
    "  --ambiguity MODE     what an ambiguity code (R, Y, ..., N) does to a site:\n"
    "                       skip    the site is left out (the default)\n"
    "                       average the site is shared out in equal parts over the\n"
    "                               base pairs the codes allow\n"
    "                       resolve a code that allows the other sequence's base\n"
    "                               counts as that base; otherwise as average\n"
    "                       A site with a gap or missing data in either sequence is\n"
    "                       always left out of that pair (pairwise deletion).\n";

constexpr const char* kFitHelp =
    "Usage: dyvern-cli fit FILE [--pair NAME1 NAME2 | --all-pairs] [--model M[,M...]]\n"
    "                  [--criterion ml|ls|both] [--ambiguity skip|average|resolve]\n"
    "                  [--format tsv|json]\n\n"
    "Fits each model to the table of each pair, by maximum likelihood (ml), least\n"
    "squares (ls) or both (the default), and writes one row per pair, model and\n"
    "criterion.\n\n"
    "  --model M[,M...]     JC69, F81, K80, HKY85 (default: all four)\n"
    "  --format tsv|json    tab-separated with a header line (default), or a JSON\n"
    "                       array of objects with the same keys\n";

constexpr const char* kCompareHelp =
    "Usage: dyvern-cli compare FILE [--pair NAME1 NAME2 | --all-pairs]\n"
    "                      [--ambiguity skip|average|resolve] [--format tsv|json]\n\n"
    "Compares the four models fitted by likelihood to each pair: lnL, AIC, AICc,\n"
    "BIC and the Akaike weights by AIC and by BIC; then, after a blank line, the\n"
    "likelihood-ratio tests of kappa (JC69 against K80, F81 against HKY85, 1 df)\n"
    "and of the base frequencies (JC69 against F81, K80 against HKY85, 3 df).\n"
    "JSON gives an object with the arrays \"models\" and \"tests\".\n";

constexpr const char* kDistHelp =
    "Usage: dyvern-cli dist ALIGNMENT [--model M] [--criterion ml|ls]\n"
    "                   [--ambiguity skip|average|resolve] [--format phylip|tsv]\n"
    "                   [--threads N] [--max-d VALUE] [--output FILE]\n\n"
    "d, substitutions per site, for every pair of sequences.\n\n"
    "  --model M            JC69, F81, K80 or HKY85 (default: K80)\n"
    "  --criterion ml|ls    maximum likelihood (default) or least squares\n"
    "  --format phylip      the square matrix tree programs read (default): the\n"
    "                       number of sequences, then a row per sequence, its name\n"
    "                       and its distances\n"
    "  --format tsv         a row per pair: seq1 seq2 sites d se_d status\n"
    "  --threads N          threads to use (default: every core); in a build\n"
    "                       with MPI, 'mpirun -np P dyvern-cli dist ...' also\n"
    "                       shares the pairs among P processes, same output\n"
    "  --max-d VALUE        tsv only: keep the pairs with d at most VALUE; how many\n"
    "                       were left out is said on standard error\n"
    "  --output FILE        write to FILE instead of standard output (under\n"
    "                       mpirun much faster: the launcher passes standard\n"
    "                       output on through itself); created only once the\n"
    "                       alignment has been read\n\n"
    "A pair with no finite estimate of d (too many differences for the model, or\n"
    "no sites in common) has no distance: the matrix shows -1 for it, tsv shows\n"
    "inf or NA with its status, and standard error names every such pair.\n";

constexpr const char* kTableHelp =
    "Usage: dyvern-cli table ALIGNMENT NAME1 NAME2 [--ambiguity skip|average|resolve]\n\n"
    "Writes the table of base pairs of two sequences as a data file that the\n"
    "Dyvern window opens: the number of sites counted, then the 16 counts, rows\n"
    "the bases of NAME1 and columns those of NAME2, both in the order A, C, G, T.\n";

constexpr const char* kReportHelp =
    "Usage: dyvern-cli report FILE [--pair NAME1 NAME2] --model M\n"
    "                     [--ambiguity skip|average|resolve]\n\n"
    "Writes the window's report of the model at its likelihood optimum: the same\n"
    "text as the file the window writes after Solve and Report.\n";

std::string Join(const char* a, const char* b, const char* c = "") {
    return std::string(a) + "\n" + b + c;
}

}  // namespace

const std::vector<Command>& Commands() {
    static const std::string fitHelp = Join(kFitHelp, kPairHelp, kAmbiguityHelp);
    static const std::string compareHelp = Join(kCompareHelp, kPairHelp, kAmbiguityHelp);
    static const std::string distHelp = Join(kDistHelp, "Options:\n", kAmbiguityHelp);
    static const std::string tableHelp = Join(kTableHelp, "Options:\n", kAmbiguityHelp);
    static const std::string reportHelp = Join(kReportHelp, kPairHelp, kAmbiguityHelp);
    static const std::vector<Command> kCommands = {
        {"fit",
         "fit the models to each pair: estimates, d, its uncertainty, fit test",
         fitHelp.c_str(),
         {kPair, kAllPairs, kModel, kCriterion, kAmbiguity, kRecordFormat},
         RunFit},
        {"compare",
         "compare the four models by likelihood: AIC, BIC, weights, LR tests",
         compareHelp.c_str(),
         {kPair, kAllPairs, kAmbiguity, kRecordFormat},
         RunCompare},
        {"dist",
         "d for all pairs, as a matrix or a list",
         distHelp.c_str(),
         {kModel, kOneCriterion, kAmbiguity, kMatrixFormat, kThreads, kMaxD, kOutput},
         RunDist},
        {"table",
         "the table of base pairs of two sequences, as a data file",
         tableHelp.c_str(),
         {kAmbiguity},
         RunTable},
        {"report",
         "the window's goodness-of-fit report for one model",
         reportHelp.c_str(),
         {kPair, kModel, kAmbiguity},
         RunReport},
    };
    return kCommands;
}

}  // namespace dyvern::cli
