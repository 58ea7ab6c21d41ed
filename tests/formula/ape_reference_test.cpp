// The distances against ape 5.7's dist.dna on the primates and on simulated
// alignments with gaps (one also with ambiguity codes) and unequal
// composition, every model both have, with and without gamma, frequencies
// taken from outside as ape takes them. The reference files in data/ were
// written by scripts/ape-distances (their first line says how).
//
// d must agree to 1e-9 relative. So must the variance where ape computes it
// right (VARIANCES below); ape's K81 variance divides by 2 where it should
// divide by n, so it is checked scaled by 2/n. ape's other variances are
// wrong (raw: never written; JC69 and F81 with gamma: a wrong exponent;
// LogDet and paralinear: computed on overwritten matrices) and are checked
// another way in variance_test.cpp.
#include <gtest/gtest.h>

#include <cmath>
#include <fstream>
#include <set>
#include <sstream>

#include "alignment_pairs.h"
#include "model/model_family.h"

namespace dyvern::testing {
namespace {

struct ApeLine {
    ModelKind model;
    std::optional<double> gamma;
    std::string seq1, seq2;
    double d, variance;
};

ModelKind ApeModel(const std::string& word) {
    if (word == "paralin") return ModelKind::Paralinear;
    const std::optional<ModelKind> model = ModelNamed(word);
    if (!model) throw std::runtime_error("no model " + word);
    return *model;
}

std::vector<ApeLine> ReadApeFile(const std::string& path, std::string& header) {
    std::ifstream in(path);
    std::getline(in, header);
    std::string line;
    std::getline(in, line);  // the column names
    std::vector<ApeLine> lines;
    while (std::getline(in, line)) {
        std::istringstream fields(line);  // no field holds a blank
        std::string model, gamma, d, variance;
        ApeLine l{};
        fields >> model >> gamma >> l.seq1 >> l.seq2 >> d >> variance;
        l.model = ApeModel(model);
        if (gamma != "NA") l.gamma = std::stod(gamma);
        l.d = std::stod(d);
        l.variance = variance == "NA" ? std::nan("") : std::stod(variance);
        lines.push_back(l);
    }
    return lines;
}

int IndexOf(const AlignmentPairs& pairs, const std::string& name) {
    for (std::size_t i = 0; i < pairs.names.size(); ++i)
        if (pairs.names[i] == name) return static_cast<int>(i);
    throw std::runtime_error("no sequence " + name);
}

double Relative(double value, double expected) { return std::fabs(value / expected - 1.0); }

// Where ape's variance is the delta method's, with the frequencies held.
bool ApeVarianceRight(const ApeLine& l) {
    switch (l.model) {
        case ModelKind::K80:
        case ModelKind::T92:
        case ModelKind::F84:
        case ModelKind::TN93:
            return true;
        case ModelKind::JC69:
        case ModelKind::F81:
            return !l.gamma;
        default:
            return false;
    }
}

struct ApeFile {
    const char* reference;
    bool inData;  // tests/formula/data, or the project's primates
    const char* alignment;
};

constexpr ApeFile kFiles[] = {
    {"ape_primates.tsv", false, "primates.fasta"},
    {"ape_simulated_seed7.tsv", true, "simulated_seed7.fasta"},
    {"ape_simulated_seed19.tsv", true, "simulated_seed19.fasta"},
};

TEST(ApeReference, DistancesAndTheVariancesApeGetsRight) {
    for (const ApeFile& file : kFiles) {
        SCOPED_TRACE(file.reference);
        std::string header;
        const std::vector<ApeLine> lines = ReadApeFile(FormulaDataPath(file.reference), header);
        EXPECT_EQ(header.rfind("# made by ape 5.7 ", 0), 0u) << header;
        const AlignmentPairs pairs =
            ReadPairs(file.inData ? FormulaDataPath(file.alignment) : PrimatesPath());
        const std::size_t n = pairs.names.size();
        ASSERT_EQ(lines.size(), 18 * n * (n - 1) / 2);
        std::set<std::pair<ModelKind, bool>> seen;
        for (const ApeLine& l : lines) {
            SCOPED_TRACE(::testing::Message()
                         << FactsOf(l.model).word << " gamma " << l.gamma.value_or(0) << " "
                         << l.seq1 << " " << l.seq2);
            const int i = IndexOf(pairs, l.seq1), j = IndexOf(pairs, l.seq2);
            FormulaSettings settings = OutsideFrequencies(pairs, i, j);
            settings.gammaShape = l.gamma;
            const FormulaDistance f = FormulaDistanceOf(l.model, PairCounts(pairs, i, j), settings);
            ASSERT_EQ(f.status, FitStatus::Ok) << (f.problem ? f.problem : "");
            EXPECT_LT(Relative(f.d, l.d), 1e-9) << f.d << " " << l.d;
            if (ApeVarianceRight(l)) {
                EXPECT_LT(Relative(f.variance, l.variance), 1e-9);
            }
            if (l.model == ModelKind::K81) {
                EXPECT_LT(Relative(f.variance, l.variance * 2.0 / f.sites), 1e-9);
            }
            seen.insert({l.model, l.gamma.has_value()});
        }
        EXPECT_EQ(seen.size(), 14u);  // ten models, four of them with gamma too
    }
}

}  // namespace
}  // namespace dyvern::testing
