// An alignment packed once for counting many pairs under one way of reading
// its sites: per sequence and per 64-site word, one bit plane for each plain
// base (A C G T) and one for the sites that hold a code (R Y S W K M B D H V;
// N and ? where the reading takes them as codes; under GapMismatch, '-');
// what is left sets no bit. Codes are rare, so each sequence also keeps the
// sorted list of its coded sites and their bases, for the exact per-site rule.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

#include "align/alignment.h"
#include "align/iupac.h"
#include "align/pair_table.h"

namespace dyvern {

inline constexpr int kPlanesPerWord = 5;  // A, C, G, T, ambiguous
inline constexpr int kAmbiguousPlane = 4;
// The plain bases again as two bits (A 00, C 01, G 10, T 11) and a mask of
// the sites that hold one: the least a count of differences reads.
inline constexpr int kBitPlanesPerWord = 3;  // low bit, high bit, plain

struct AmbiguousSite {
    int site;
    BaseSet bases;  // two to four bases
    bool gap;       // a '-' read as N (under GapMismatch)
};

class PackedAlignment {
public:
    // Throws std::invalid_argument naming the sequence for a character that
    // is not a nucleotide code or a length unlike the first sequence's, and
    // std::length_error beyond the int range of sites.
    explicit PackedAlignment(const Alignment& alignment, const SiteReading& reading = {});

    const SiteReading& reading() const { return reading_; }

    std::size_t size() const { return names_.size(); }
    int siteCount() const { return sites_; }
    std::size_t wordCount() const { return words_; }
    const std::string& name(std::size_t sequence) const { return names_[sequence]; }

    // wordCount() groups of kPlanesPerWord words, bit k of word w for site 64 w + k.
    const std::uint64_t* planes(std::size_t sequence) const {
        return planes_.data() + sequence * words_ * kPlanesPerWord;
    }
    // wordCount() groups of kBitPlanesPerWord words.
    const std::uint64_t* bitPlanes(std::size_t sequence) const {
        return bitPlanes_.data() + sequence * words_ * kBitPlanesPerWord;
    }
    // The ambiguous sites of one sequence, in site order, as [begin, end).
    const AmbiguousSite* ambiguousBegin(std::size_t sequence) const {
        return ambiguous_.data() + ambiguousStart_[sequence];
    }
    const AmbiguousSite* ambiguousEnd(std::size_t sequence) const {
        return ambiguous_.data() + ambiguousStart_[sequence + 1];
    }
    bool hasAmbiguousSites(std::size_t sequence) const {
        return ambiguousStart_[sequence + 1] != ambiguousStart_[sequence];
    }
    // The sites with a plain base (A C G T): as many as a pair can count
    // without its codes.
    int plainSites(std::size_t sequence) const { return plainSites_[sequence]; }
    // The sites of a sequence that hold a code (ambiguousBegin to ambiguousEnd).
    std::int64_t codedSites(std::size_t sequence) const {
        return static_cast<std::int64_t>(ambiguousStart_[sequence + 1] - ambiguousStart_[sequence]);
    }

private:
    void Pack(std::size_t sequence, const std::string& codes);

    std::vector<std::string> names_;
    SiteReading reading_;
    int sites_ = 0;
    std::size_t words_ = 0;
    std::vector<std::uint64_t> planes_;
    std::vector<std::uint64_t> bitPlanes_;
    std::vector<AmbiguousSite> ambiguous_;
    std::vector<std::size_t> ambiguousStart_;  // size() + 1 offsets into ambiguous_
    std::vector<int> plainSites_;
};

// The bases a packed sequence allows at a site as its reading reads it: one
// for a plain base, two to four for a code, none for a site it leaves out.
BaseSet PackedBasesAt(const PackedAlignment& packed, std::size_t sequence, int site);

}  // namespace dyvern
