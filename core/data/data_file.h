// Reading the divergence data file: the site count n followed by the 16 pair
// counts (or proportions) of the observed table, row by row A, C, G, T.
#pragma once

#include <istream>
#include <string>

#include "model/divergence.h"

namespace dyvern {

struct DataFileTable {
    int siteCount = 0;          // n as declared by the file, not the cell sum
    DivergenceCounts counts{};  // proportions already scaled to counts
};

// Reads the site count and the 16 cells from `in`, past a UTF-8 byte order
// mark that opens it; malformed content is never an error. If no integer
// opens the file (including one too large for an int), the site count stays
// `previousSiteCount` and every cell reads as 0.
// Values adding up to less than 1.00001 are proportions and are scaled by n.
DataFileTable ReadDataFile(std::istream& in, int previousSiteCount);

// The value of a data word: its longest leading decimal floating-point number
// (sign, digits with an optional point, optional exponent), or 0 without one.
// "inf", "nan" and hexadecimal forms are not decimal numbers and give 0.
double ValueOfWord(const std::string& word);

}  // namespace dyvern
