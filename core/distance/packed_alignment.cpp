#include "distance/packed_alignment.h"

#include <algorithm>
#include <climits>
#include <stdexcept>

#include "align/input_error.h"

namespace dyvern {
namespace {

constexpr int kWordBits = 64;

std::string Named(const std::string& name) { return "sequence '" + name + "'"; }

}  // namespace

PackedAlignment::PackedAlignment(const Alignment& alignment, const SiteReading& reading)
    : names_(alignment.names), reading_(reading) {
    if (alignment.sequences.size() != names_.size())
        throw std::invalid_argument("an alignment needs one name per sequence");
    const std::size_t length = alignment.sequences.empty() ? 0 : alignment.sequences[0].size();
    if (length > static_cast<std::size_t>(INT_MAX))
        throw std::length_error("more sites than a table counts");
    sites_ = static_cast<int>(length);
    words_ = (length + kWordBits - 1) / kWordBits;
    planes_.assign(names_.size() * words_ * kPlanesPerWord, 0);
    bitPlanes_.assign(names_.size() * words_ * kBitPlanesPerWord, 0);
    plainSites_.assign(names_.size(), 0);
    ambiguousStart_.reserve(names_.size() + 1);
    ambiguousStart_.push_back(0);
    for (std::size_t s = 0; s < names_.size(); ++s) {
        if (alignment.sequences[s].size() != length)
            throw std::invalid_argument(Named(names_[s]) + " has " +
                                        std::to_string(alignment.sequences[s].size()) +
                                        " sites where the first has " + std::to_string(length));
        Pack(s, alignment.sequences[s]);
        ambiguousStart_.push_back(ambiguous_.size());
    }
}

void PackedAlignment::Pack(std::size_t sequence, const std::string& codes) {
    std::uint64_t* words = planes_.data() + sequence * words_ * kPlanesPerWord;
    for (int site = 0; site < sites_; ++site) {
        const char code = NormalizedCode(codes[site]);
        if (code == '\0')
            throw std::invalid_argument(
                Named(names_[sequence]) + " holds " + QuotedChar(codes[site]) + " at site " +
                std::to_string(site + 1) + ", which is not a nucleotide code");
        const bool gap = code == '-' && reading_.ambiguity == Ambiguity::GapMismatch;
        const bool unknown = code == 'N' || code == '?';
        BaseSet bases = BasesOf(code);
        if (gap || (unknown && reading_.ReadsUnknownAsAmbiguous()))
            bases = kAnyBase;
        else if (unknown)
            bases = 0;
        if (bases == 0) continue;
        const int count = BaseCount(bases);
        int plane = kAmbiguousPlane;
        if (count == 1) plane = bases == 1 ? 0 : bases == 2 ? 1 : bases == 4 ? 2 : 3;
        if (count > 1) ambiguous_.push_back({site, bases, gap});
        words[(site / kWordBits) * kPlanesPerWord + plane] |= std::uint64_t{1}
                                                              << (site % kWordBits);
    }
    std::uint64_t* bits = bitPlanes_.data() + sequence * words_ * kBitPlanesPerWord;
    for (std::size_t w = words_; w-- > 0;) {
        const std::uint64_t* word = words + w * kPlanesPerWord;
        std::uint64_t* two = bits + w * kBitPlanesPerWord;
        two[0] = word[1] | word[3];
        two[1] = word[2] | word[3];
        two[2] = word[0] | word[1] | word[2] | word[3];
        plainSites_[sequence] += __builtin_popcountll(two[2]);
    }
}

BaseSet PackedBasesAt(const PackedAlignment& packed, std::size_t sequence, int site) {
    const int bit = site % kWordBits;
    // A plain base from its two bits, A C G T as 00 01 10 11.
    const std::uint64_t* two =
        packed.bitPlanes(sequence) + (site / kWordBits) * kBitPlanesPerWord;
    if (two[2] >> bit & 1u)
        return BaseSet{1} << ((two[0] >> bit & 1u) | (two[1] >> bit & 1u) << 1);
    const std::uint64_t* word = packed.planes(sequence) + (site / kWordBits) * kPlanesPerWord;
    if (!(word[kAmbiguousPlane] >> bit & 1u)) return 0;
    const AmbiguousSite* begin = packed.ambiguousBegin(sequence);
    const AmbiguousSite* end = packed.ambiguousEnd(sequence);
    const AmbiguousSite* found = std::lower_bound(
        begin, end, site, [](const AmbiguousSite& a, int s) { return a.site < s; });
    return found != end && found->site == site ? found->bases : 0;
}

}  // namespace dyvern
