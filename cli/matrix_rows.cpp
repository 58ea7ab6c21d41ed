#include "matrix_rows.h"

#include <algorithm>
#include <cmath>
#include <cstring>

#include "distance/row_pipeline.h"
#include "huge_block.h"
#include "number_text.h"

namespace dyvern::cli {
namespace {

// About 150 MB of kept text and offsets; a matrix of 4,000 sequences.
constexpr long long kMostKeptPairs = 8'000'000;

// A space and ten significant digits, as most distances are written.
constexpr std::size_t kTypicalPiece = 13;

std::string MatrixNumber(double d) { return std::isfinite(d) ? FormatNumber(d) : kNoDistance; }

// Bytes kept to the end of the run, one block after another. Kept apart
// from the rows' passing buffers, which would otherwise leave gaps too small
// to reuse between the kept pieces.
class ByteStore {
public:
    template <class Bytes>
    const char* Keep(const Bytes& bytes) {
        if (bytes.size() == 0) return nullptr;  // the last row keeps nothing
        if (blocks.empty() || used + bytes.size() > blocks.back().size()) {
            blocks.emplace_back(std::max(kBlockSize, bytes.size()));
            used = 0;
        }
        char* at = blocks.back().data() + used;
        std::memcpy(at, bytes.data(), bytes.size());
        used += bytes.size();
        return at;
    }

private:
    static constexpr std::size_t kBlockSize = std::size_t{4} << 20;
    std::vector<HugeBlock> blocks;
    std::size_t used = 0;  // bytes of the last block
};

// The numbers of consecutive columns, each with the space before it.
class Pieces {
public:
    explicit Pieces(std::size_t count = 0) {
        text.reserve(count * kTypicalPiece);
        lengths.reserve(count);
    }
    void Add(double d) {
        const std::size_t before = text.size();
        text += ' ';
        text += MatrixNumber(d);
        lengths.push_back(static_cast<unsigned char>(text.size() - before));
    }
    const std::string& Text() const { return text; }
    // Moves the pieces into `store`, where the rows below read them.
    void KeepIn(ByteStore& store) {
        keptText = store.Keep(text);
        keptLengths = store.Keep(lengths);
        text = std::string();
        lengths = std::vector<unsigned char>();
    }
    // Appends the next kept piece not yet taken to `line`.
    void TakeNext(std::string& line) {
        const auto length = static_cast<unsigned char>(keptLengths[next++]);
        line.append(keptText + taken, length);
        taken += length;
    }

private:
    std::string text;
    std::vector<unsigned char> lengths;  // a number is at most 24 characters
    const char* keptText = nullptr;
    const char* keptLengths = nullptr;
    std::size_t taken = 0;  // characters of the kept pieces taken
    std::size_t next = 0;   // the next piece to take
};

// What a worker makes of one row: the columns before the kept rows, which no
// kept row holds, and those right of the diagonal, with their notes.
struct MatrixRow {
    RowText text;
    Pieces before;
    Pieces right;
};

MatrixRow ComputeRow(const PairDistances& pairs, const DistRowFormatter& formatter, int rowBegin,
                     int row) {
    const int n = static_cast<int>(pairs.Packed().size());
    MatrixRow m{{},
                Pieces(static_cast<std::size_t>(rowBegin)),
                Pieces(static_cast<std::size_t>(n - row - 1))};
    for (int j = 0; j < rowBegin; ++j) m.before.Add(pairs.Between(j, row).d);
    for (int j = row + 1; j < n; ++j) {
        const PairDistance r = pairs.Between(row, j);
        formatter.NotePair(row, j, r, m.text);
        m.right.Add(r.d);
    }
    return m;
}

}  // namespace

bool MatrixKeepsPairs(int size, int rowBegin, int rowEnd) {
    // Row i keeps size - 1 - i pairs.
    const long long rows = rowEnd - rowBegin;
    const long long kept =
        rows * (size - 1) - (static_cast<long long>(rowBegin) + rowEnd - 1) * rows / 2;
    return kept <= kMostKeptPairs;
}

void FormatMatrixRows(const PairDistances& pairs, const DistRowFormatter& formatter, int rowBegin,
                      int rowEnd, const std::function<void(RowText&&)>& take) {
    const PackedAlignment& packed = pairs.Packed();
    std::vector<Pieces> kept;  // the right parts of rows rowBegin, ..., the row before
    kept.reserve(static_cast<std::size_t>(rowEnd - rowBegin));
    ByteStore store;
    RunRowsInOrder<MatrixRow>(
        rowBegin, rowEnd, pairs.Options().threads,
        [&](int row) { return ComputeRow(pairs, formatter, rowBegin, row); },
        [&](int row, MatrixRow& m) {
            std::string line = formatter.RowName(row);
            const std::size_t first = line.size();
            line.reserve(first + kTypicalPiece * packed.size() + 1);
            line += m.before.Text();
            // Row j's pieces are taken in column order, one by each row below it.
            for (Pieces& above : kept) above.TakeNext(line);
            line += ' ';
            line += FormatNumber(0.0);
            line += m.right.Text();
            line.erase(first, 1);  // no space before the first column
            line += '\n';
            m.text.out = std::move(line);
            m.right.KeepIn(store);
            kept.push_back(std::move(m.right));
            take(std::move(m.text));
        });
}

}  // namespace dyvern::cli
