// The pair table of two sequences made from the bytes (an odd count gives
// unequal lengths; the first byte picks whether N and ? are codes and the
// resolve limit): under every mode the table adds up to the sites it
// counted, the modes agree on what they leave out and order their matches,
// and the packed alignment's table equals the text's.
#include <cmath>
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <stdexcept>
#include <string>
#include <string_view>

#include "align/alignment.h"
#include "align/pair_table.h"
#include "distance/packed_alignment.h"
#include "distance/packed_pair.h"

namespace {

using dyvern::Ambiguity;
using dyvern::PairTable;
using dyvern::SiteReading;

// Every code in either case, and '.', which no stored sequence holds.
constexpr std::string_view kCharacters = "ACGTURYSWKMBDHVN?-acgturyswkmbdhvn.";

constexpr Ambiguity kModes[] = {Ambiguity::Skip, Ambiguity::Average, Ambiguity::Resolve,
                                Ambiguity::ResolveShared, Ambiguity::GapMismatch};
constexpr int kModeCount = 5;

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

bool SameTables(const PairTable& a, const PairTable& b) {
    return a.counts == b.counts && a.sites == b.sites && a.gapOrMissing == b.gapOrMissing &&
           a.ambiguous == b.ambiguous && a.resolved == b.resolved && a.averaged == b.averaged;
}

void CheckPacked(const std::string& sequence1, const std::string& sequence2,
                 const SiteReading& reading, const PairTable& text) {
    const dyvern::PackedAlignment packed(
        dyvern::Alignment{"fuzz", {"one", "two"}, {sequence1, sequence2}}, reading);
    Check(SameTables(dyvern::CountPackedPair(packed, 0, 1), text));
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    if (size == 0) return 0;
    const bool unknownAsCode = data[0] & 1u;
    const double limit = (data[0] >> 1) / 127.0;
    const std::string_view bytes(reinterpret_cast<const char*>(data) + 1, size - 1);
    const std::string sequence1 = SequenceOf(bytes.substr(0, bytes.size() / 2));
    const std::string sequence2 = SequenceOf(bytes.substr(bytes.size() / 2));
    const bool valid = sequence1.size() == sequence2.size() &&
                       (sequence1 + sequence2).find('.') == std::string::npos;
    PairTable tables[kModeCount];
    for (int m = 0; m < kModeCount; ++m) {
        SiteReading reading(kModes[m]);
        reading.unknownAsAmbiguous = unknownAsCode;
        try {
            tables[m] = dyvern::CountPair(sequence1, sequence2, reading);
        } catch (const std::invalid_argument&) {
            Check(!valid);
            return 0;
        }
        Check(valid);
        const PairTable& table = tables[m];
        Check(std::fabs(Sum(table, false) - table.sites) <= 1e-9 * (1 + table.sites));
        Check(table.sites + table.gapOrMissing + table.ambiguous ==
              static_cast<int>(sequence1.size()));
        CheckPacked(sequence1, sequence2, reading, table);
        reading.resolveLimit = limit;
        CheckPacked(sequence1, sequence2, reading,
                    dyvern::CountPair(sequence1, sequence2, reading));
    }
    const PairTable& skip = tables[0];
    const PairTable& average = tables[1];
    const PairTable& resolve = tables[2];
    const PairTable& shared = tables[3];
    const PairTable& gapmm = tables[4];
    for (int m = 1; m < 4; ++m)
        Check(tables[m].gapOrMissing == skip.gapOrMissing && tables[m].ambiguous == 0 &&
              tables[m].sites == skip.sites + skip.ambiguous);
    // Gaps against bases count under gapmm, so it leaves out at most as much.
    Check(gapmm.ambiguous == 0 && gapmm.gapOrMissing <= average.gapOrMissing);
    // Resolving only ever moves shares onto identical pairs.
    const double slack = 1e-9 * (1 + average.sites);
    Check(Sum(resolve, true) >= Sum(average, true) - slack);
    Check(Sum(shared, true) >= Sum(resolve, true) - slack);
    return 0;
}
