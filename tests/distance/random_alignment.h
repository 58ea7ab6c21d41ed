// Random alignments with gaps, missing data and ambiguity codes.
#pragma once

#include <cstdint>
#include <random>
#include <string>

#include "align/alignment.h"

namespace dyvern::testing {

struct AlignmentShape {
    int sequences;
    int sites;
    double gaps;       // share of '-'
    double missing;    // share of N and '?'
    double ambiguous;  // share of two- and three-base codes
};

// Sequences share a random ancestor and differ at about a fifth of the sites,
// written in mixed case with U for some T.
inline Alignment RandomAlignment(const AlignmentShape& shape, std::uint32_t seed) {
    std::mt19937 random(seed);
    std::uniform_real_distribution<double> unit(0.0, 1.0);
    const auto pick = [&](const char* letters, int count) {
        return letters[std::uniform_int_distribution<int>(0, count - 1)(random)];
    };
    std::string ancestor;
    for (int s = 0; s < shape.sites; ++s) ancestor += pick("ACGT", 4);
    Alignment alignment;
    alignment.source = "random";
    for (int k = 0; k < shape.sequences; ++k) {
        std::string sequence = ancestor;
        for (char& c : sequence) {
            const double u = unit(random);
            if (u < shape.gaps)
                c = '-';
            else if (u < shape.gaps + shape.missing)
                c = pick("N?n", 3);
            else if (u < shape.gaps + shape.missing + shape.ambiguous)
                c = pick("RYSWKMBDHVrykm", 14);
            else if (unit(random) < 0.2)
                c = pick("ACGTUacgtu", 10);
        }
        alignment.names.push_back("s" + std::to_string(k));
        alignment.sequences.push_back(sequence);
    }
    return alignment;
}

}  // namespace dyvern::testing
