// The pair tables a command works on: a data file's one table, or tables
// counted from pairs of an alignment's sequences.
#pragma once

#include <array>
#include <string>
#include <vector>

#include "align/input.h"
#include "align/pair_table.h"
#include "arguments.h"
#include "report/record_columns.h"

namespace dyvern::cli {

struct NamedTable {
    std::string seq1;  // the table's rows; a data file's name
    std::string seq2;  // the table's columns; "-" for a data file
    DivergenceCounts counts{};
    int siteCount = 0;        // n: declared by a data file, else the sites counted
    int alignmentLength = 0;  // 0 for a data file
    int gapOrMissing = 0;     // sites left out
    int ambiguous = 0;
    // Each sequence's composition over its own known sites (0 for a data file).
    std::array<double, 4> composition1{};
    std::array<double, 4> composition2{};
};

// The pair's names as its records give them.
inline PairNames NamesOf(const NamedTable& table) { return {table.seq1, table.seq2}; }

// How sites are read: --ambiguity (skip by default), --n-ambiguous and
// --resolve-limit. Throws UsageError for a limit outside [0, 1] or one given
// to a mode that does not resolve.
SiteReading ReadingOption(const Arguments& arguments);

// The tables that --pair or --all-pairs choose (an alignment of two sequences
// needs neither; a data file takes neither). Throws UsageError or InputError.
std::vector<NamedTable> ChosenTables(const Input& input, const Arguments& arguments);

// The table of sequences i and j of an alignment.
NamedTable TableOf(const Alignment& alignment, std::size_t i, std::size_t j,
                   const SiteReading& reading);

// What each table left out, on standard error: one line per table.
void WriteSitesLeftOut(const std::vector<NamedTable>& tables, std::ostream& err);

}  // namespace dyvern::cli
