#include "data/data_file.h"

#include <cstdlib>
#include <ios>
#include <locale>
#include <string>

#include "base/byte_order_mark.h"

namespace dyvern {
namespace {

// Below this sum the 16 values are proportions of n rather than counts.
constexpr double kProportionSumLimit = 1.00001;

bool IsDigit(char c) { return c >= '0' && c <= '9'; }

// Index just past the run of decimal digits that starts at `pos`.
std::size_t SkipDigits(const std::string& text, std::size_t pos) {
    while (pos < text.size() && IsDigit(text[pos])) ++pos;
    return pos;
}

// Length of the longest leading decimal floating-point number in `word`,
// 0 when it has none.
std::size_t DecimalPrefixLength(const std::string& word) {
    std::size_t pos = 0;
    if (pos < word.size() && (word[pos] == '+' || word[pos] == '-')) ++pos;
    const std::size_t intEnd = SkipDigits(word, pos);
    bool anyDigit = intEnd > pos;
    pos = intEnd;
    if (pos < word.size() && word[pos] == '.') {
        const std::size_t fracEnd = SkipDigits(word, pos + 1);
        anyDigit = anyDigit || fracEnd > pos + 1;
        pos = fracEnd;
    }
    if (!anyDigit) return 0;
    // An exponent counts only when at least one digit follows its sign.
    if (pos < word.size() && (word[pos] == 'e' || word[pos] == 'E')) {
        std::size_t expPos = pos + 1;
        if (expPos < word.size() && (word[expPos] == '+' || word[expPos] == '-')) ++expPos;
        const std::size_t expEnd = SkipDigits(word, expPos);
        if (expEnd > expPos) pos = expEnd;
    }
    return pos;
}

}  // namespace

double ValueOfWord(const std::string& word) {
    const std::size_t length = DecimalPrefixLength(word);
    if (length == 0) return 0.0;
    // strtod reads exactly this plain decimal prefix (the program keeps the C
    // locale, so the point is '.'); out-of-range values give +-HUGE_VAL or 0.
    const std::string prefix = word.substr(0, length);
    return std::strtod(prefix.c_str(), nullptr);
}

DataFileTable ReadDataFile(std::istream& in, int previousSiteCount) {
    // A reader of its own over the same buffer: the classic locale and a
    // cleared basefield (so 010 is octal and 0x10 hexadecimal) without
    // changing the caller's stream settings.
    std::istream reader(in.rdbuf());
    reader.imbue(std::locale::classic());
    reader.unsetf(std::ios::basefield);

    // Part of a mark opens no number, as it never did.
    if (!SkipByteOrderMark(reader)) reader.setstate(std::ios::failbit);

    DataFileTable table;
    int declared = 0;
    // A failed read (no integer, or one beyond int) leaves the reader failed,
    // so every word below reads as empty, that is as 0.
    table.siteCount = (reader >> declared) ? declared : previousSiteCount;

    double sum = 0.0;
    for (auto& row : table.counts) {
        for (double& cell : row) {
            std::string word;
            reader >> word;
            cell = ValueOfWord(word);
            sum += cell;
        }
    }
    if (sum < kProportionSumLimit) {
        const double n = table.siteCount;
        for (auto& row : table.counts)
            for (double& cell : row) cell *= n;
    }
    return table;
}

}  // namespace dyvern
