#include "model_help.h"

#include "model/model_family.h"

namespace dyvern::cli {
namespace {

constexpr const char* kModels =
    "Models (--model, any case):\n"
    "  raw         the share of differing sites (formula only)\n"
    "  JC69        Jukes & Cantor 1969: one rate, equal frequencies\n"
    "  F81         Felsenstein 1981: one rate, free frequencies\n"
    "  K80         Kimura 1980: transitions and transversions, equal frequencies\n"
    "  T92         Tamura 1992: K80 with a G+C share (piG = piC, piA = piT)\n"
    "  K81         Kimura 1981: transitions and two classes of transversion\n"
    "              (A<->T with C<->G, A<->C with G<->T), equal frequencies\n"
    "  F84         Felsenstein 1984: F81 with a transition bias kappa, its own:\n"
    "              transitions at (1 + kappa / piClass) times the transversions\n"
    "  HKY85       Hasegawa, Kishino & Yano 1985: kappa and free frequencies\n"
    "              (likelihood and least squares only)\n"
    "  TN93        Tamura & Nei 1993: A<->G and C<->T transitions apart\n"
    "  GTR         the general time-reversible model: six exchangeabilities and\n"
    "              free frequencies (likelihood only)\n"
    "  LogDet      -1/4 ln det F - ln 4 (Gu & Li 1996; formula only)\n"
    "  paralinear  Lake 1994 (formula only)\n"
    "LogDet and paralinear do not assume that the base composition stays the same.\n";

constexpr const char* kFormula =
    "  --criterion formula  the published closed form, as ape's dist.dna, MEGA and\n"
    "                       tn93 compute it, with its large-sample variance (the\n"
    "                       delta method): raw, JC69, K80, F81, T92, K81, F84,\n"
    "                       TN93, LogDet, paralinear. It equals ml for JC69 and\n"
    "                       K80; F81, T92, F84 and TN93 differ from ml, whose\n"
    "                       frequencies are estimated jointly with the rates.\n";

constexpr const char* kFrequencies =
    "  --frequencies pair|alignment\n"
    "                       the base frequencies of a formula: the pair's own\n"
    "                       composition (the default, as tn93), or the whole\n"
    "                       alignment's (ape's default; for paralinear each\n"
    "                       sequence's own over its known sites). Under ml they\n"
    "                       are estimated unless this holds them there instead\n"
    "                       (as baseml does).\n";

constexpr const char* kRateVariation =
    "  --gamma ALPHA        rates among sites from a gamma of shape ALPHA, mean 1:\n"
    "                       continuous (ml, and the formulas of Jin & Nei 1990\n"
    "                       and Tamura & Nei 1993), or with\n"
    "  --gamma-categories K in K equal-probability categories at their mean rates\n"
    "                       (Yang 1994; ml only), as IQ-TREE, PAML and phangorn use\n"
    "  --invariant P        a share P of sites that cannot change (ml only)\n"
    "                       One pair cannot tell the shape from the distance: ALPHA\n"
    "                       and P are given, best taken from a fit on a tree of\n"
    "                       many sequences.\n";

}  // namespace

std::string ModelsHelp() { return kModels; }

std::string EstimationHelp(bool formula, bool leastSquares) {
    std::string text = "Estimation:\n";
    text +=
        "  --criterion ml       maximum likelihood, with standard errors, the 95%\n"
        "                       profile interval of d and AIC, AICc and BIC\n";
    if (leastSquares)
        text += "  --criterion ls       the window's least squares (" +
                ModelWords(Estimation::LeastSquares) + ")\n";
    if (formula) text += kFormula;
    return text + kFrequencies + kRateVariation;
}

std::string NestedPairsHelp() {
    std::string text;
    for (const NestedPair& pair : kNestedPairs) {
        const ModelFacts& null = FactsOf(pair.null);
        const ModelFacts& alternative = FactsOf(pair.alternative);
        text += "  " + std::string(null.word) + " in " + alternative.word + " (" +
                std::to_string(alternative.freeParameters - null.freeParameters) + " df)\n";
    }
    return text;
}

std::string FitColumnsHelp() {
    return "Columns: seq1 seq2 sites model criterion bt kappa piA piC piG piT d se_d\n"
           "d_low d_high se_kappa lnL SS X2 df P k AIC AICc BIC status, then the\n"
           "family's others: kappaR kappaY (TN93), gc (T92), rAC rAG rAT rCG rCT rGT\n"
           "(K81 and GTR, each against G<->T's rate), alpha pinv (as given). NA where\n"
           "a column does not apply (README, The columns).\n";
}

}  // namespace dyvern::cli
