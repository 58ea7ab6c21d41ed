// The pair table of two sequences made from the bytes (an odd count gives
// unequal lengths): the three modes must agree on what they leave out, and
// every table must add up to the sites it counted.
#include <cmath>
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <stdexcept>
#include <string>
#include <string_view>

#include "align/pair_table.h"

namespace {

using dyvern::Ambiguity;
using dyvern::PairTable;

// Every code in either case, and '.', which no stored sequence holds.
constexpr std::string_view kCharacters = "ACGTURYSWKMBDHVN?-acgturyswkmbdhvn.";

std::string SequenceOf(std::string_view bytes) {
    std::string sequence;
    for (const char byte : bytes)
        sequence += kCharacters[static_cast<unsigned char>(byte) % kCharacters.size()];
    return sequence;
}

double Sum(const PairTable& table, bool diagonalOnly) {
    double sum = 0;
    for (int i = 0; i < 4; ++i)
        for (int j = 0; j < 4; ++j) {
            if (table.counts[i][j] < 0) std::abort();
            if (!diagonalOnly || i == j) sum += table.counts[i][j];
        }
    return sum;
}

void Check(bool condition) {
    if (!condition) std::abort();
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string_view bytes(reinterpret_cast<const char*>(data), size);
    const std::string sequence1 = SequenceOf(bytes.substr(0, size / 2));
    const std::string sequence2 = SequenceOf(bytes.substr(size / 2));
    const bool valid = sequence1.size() == sequence2.size() &&
                       (sequence1 + sequence2).find('.') == std::string::npos;
    PairTable tables[3];
    const Ambiguity modes[] = {Ambiguity::Skip, Ambiguity::Average, Ambiguity::Resolve};
    for (int m = 0; m < 3; ++m) {
        try {
            tables[m] = dyvern::CountPair(sequence1, sequence2, modes[m]);
        } catch (const std::invalid_argument&) {
            Check(!valid);
            return 0;
        }
        Check(valid);
        const PairTable& table = tables[m];
        Check(std::fabs(Sum(table, false) - table.sites) <= 1e-9 * (1 + table.sites));
        Check(table.sites + table.gapOrMissing + table.ambiguous ==
              static_cast<int>(sequence1.size()));
    }
    const PairTable& skip = tables[0];
    const PairTable& average = tables[1];
    const PairTable& resolve = tables[2];
    Check(skip.gapOrMissing == average.gapOrMissing &&
          average.gapOrMissing == resolve.gapOrMissing);
    Check(average.ambiguous == 0 && resolve.ambiguous == 0);
    Check(skip.sites + skip.ambiguous == average.sites && average.sites == resolve.sites);
    // Resolving only ever moves shares onto identical pairs.
    Check(Sum(resolve, true) >= Sum(average, true) - 1e-9 * (1 + average.sites));
    return 0;
}
