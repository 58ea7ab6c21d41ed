// Several processes: the rows are cut into blocks dealt out in turn (so the
// long rows at the top of a triangle are shared too); each process computes
// its blocks on its own threads and sends their text to the first, which
// writes every block in order. Bytes written do not depend on the number of
// processes or threads.
#include <mpi.h>

#include <algorithm>
#include <chrono>
#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <deque>
#include <optional>
#include <thread>

#include "distance/row_pipeline.h"
#include "row_producer.h"

namespace dyvern::cli {
namespace {

constexpr int kLead = 0;
constexpr int kTag = 0;  // one source's blocks arrive in the order they were sent
constexpr std::size_t kBlocksInFlight = 2;
constexpr int kMostBlockRows = 64;
constexpr int kBlocksPerProcess = 8;

bool Running() {
    int initialized = 0, finalized = 0;
    MPI_Initialized(&initialized);
    MPI_Finalized(&finalized);
    return initialized && !finalized;
}

int Rank() {
    int rank = 0;
    if (Running()) MPI_Comm_rank(MPI_COMM_WORLD, &rank);
    return rank;
}

int Size() {
    int size = 1;
    if (Running()) MPI_Comm_size(MPI_COMM_WORLD, &size);
    return size;
}

// Started by mpirun (or another process manager) rather than by hand.
bool LaunchedAsGroup() {
    return std::getenv("OMPI_COMM_WORLD_SIZE") || std::getenv("PMIX_RANK") ||
           std::getenv("PMI_SIZE");
}

using Bytes = std::vector<char>;

void Put(Bytes& bytes, const void* data, std::size_t size) {
    const char* from = static_cast<const char*>(data);
    bytes.insert(bytes.end(), from, from + size);
}

// The totals' counts, then the two texts' sizes, then the texts.
Bytes Pack(const RowText& text) {
    const std::vector<long long> counts = text.totals.Counts();
    const std::int64_t sizes[2] = {static_cast<std::int64_t>(text.out.size()),
                                   static_cast<std::int64_t>(text.err.size())};
    Bytes bytes;
    Put(bytes, counts.data(), counts.size() * sizeof(long long));
    Put(bytes, sizes, sizeof sizes);
    Put(bytes, text.out.data(), text.out.size());
    Put(bytes, text.err.data(), text.err.size());
    return bytes;
}

RowText Unpack(const Bytes& bytes) {
    long long counts[RowTotals::kCountCount];
    std::int64_t sizes[2];
    std::memcpy(counts, bytes.data(), sizeof counts);
    std::memcpy(sizes, bytes.data() + sizeof counts, sizeof sizes);
    RowText text;
    text.totals = RowTotals::FromCounts(counts);
    const char* body = bytes.data() + sizeof counts + sizeof sizes;
    text.out.assign(body, static_cast<std::size_t>(sizes[0]));
    text.err.assign(body + sizes[0], static_cast<std::size_t>(sizes[1]));
    return text;
}

struct Blocks {
    int rows;
    int size;  // rows per block
    int count() const { return (rows + size - 1) / size; }
    int begin(int b) const { return b * size; }
    int end(int b) const { return std::min(rows, (b + 1) * size); }
};

// `afterRow` runs after each row: a process with blocks on their way calls
// into MPI there, since a large message moves only while its sender does.
RowText ComputeBlock(
    const PackedAlignment& packed, const DistanceOptions& options,
    const DistRowFormatter& formatter, const Blocks& blocks, int b,
    const std::function<void()>& afterRow = [] {}) {
    RowText block;
    FormatRows(packed, options, formatter, blocks.begin(b), blocks.end(b), [&](RowText&& row) {
        block.out += row.out;
        block.err += row.err;
        block.totals.Add(row.totals);
        afterRow();
    });
    return block;
}

// MPI's own waits spin on a core, which on a machine shared by several
// processes takes it from the ones computing; these sleep between looks.
void Nap() { std::this_thread::sleep_for(std::chrono::microseconds(200)); }

void WaitFor(MPI_Request& request) {
    int done = 0;
    MPI_Test(&request, &done, MPI_STATUS_IGNORE);
    while (!done) {
        Nap();
        MPI_Test(&request, &done, MPI_STATUS_IGNORE);
    }
}

// The next block from `source`, if one has arrived.
std::optional<RowText> ReceiveIfArrived(int source) {
    MPI_Status status;
    int arrived = 0;
    MPI_Iprobe(source, kTag, MPI_COMM_WORLD, &arrived, &status);
    if (!arrived) return std::nullopt;
    int count = 0;
    MPI_Get_count(&status, MPI_BYTE, &count);
    Bytes bytes(static_cast<std::size_t>(count));
    MPI_Recv(bytes.data(), count, MPI_BYTE, source, kTag, MPI_COMM_WORLD, MPI_STATUS_IGNORE);
    return Unpack(bytes);
}

// Blocks from the other processes, taken in as they arrive, also while the
// first process computes its own: a sender whose block is not taken waits.
class Arrivals {
public:
    explicit Arrivals(int size) : waiting(static_cast<std::size_t>(size)) {}

    void TakeIn() {
        for (int source = 0; source < static_cast<int>(waiting.size()); ++source) {
            if (source == kLead) continue;
            while (std::optional<RowText> block = ReceiveIfArrived(source))
                waiting[static_cast<std::size_t>(source)].push_back(std::move(*block));
        }
    }

    RowText Next(int source) {
        std::deque<RowText>& queue = waiting[static_cast<std::size_t>(source)];
        for (TakeIn(); queue.empty(); TakeIn()) Nap();
        RowText block = std::move(queue.front());
        queue.pop_front();
        return block;
    }

private:
    std::vector<std::deque<RowText>> waiting;  // by source, in the order sent
};

RowTotals Lead(const PackedAlignment& packed, const DistanceOptions& options,
               const DistRowFormatter& formatter, const Blocks& blocks, int size,
               const std::function<void(const RowText&)>& write) {
    RowTotals totals;
    Arrivals arrivals(size);
    for (int b = 0; b < blocks.count(); ++b) {
        const int owner = b % size;
        const RowText text = owner == kLead ? ComputeBlock(packed, options, formatter, blocks, b,
                                                           [&] { arrivals.TakeIn(); })
                                            : arrivals.Next(owner);
        totals.Add(text.totals);
        write(text);
    }
    return totals;
}

// A few blocks may wait to be received while the next is computed.
void Follow(const PackedAlignment& packed, const DistanceOptions& options,
            const DistRowFormatter& formatter, const Blocks& blocks, int rank, int size) {
    std::deque<std::pair<Bytes, MPI_Request>> sent;
    const auto progress = [&] {
        for (auto& block : sent) {
            int done = 0;
            MPI_Test(&block.second, &done, MPI_STATUS_IGNORE);
        }
    };
    for (int b = rank; b < blocks.count(); b += size) {
        sent.emplace_back(Pack(ComputeBlock(packed, options, formatter, blocks, b, progress)),
                          MPI_REQUEST_NULL);
        Bytes& bytes = sent.back().first;
        MPI_Isend(bytes.data(), static_cast<int>(bytes.size()), MPI_BYTE, kLead, kTag,
                  MPI_COMM_WORLD, &sent.back().second);
        if (sent.size() > kBlocksInFlight) {
            WaitFor(sent.front().second);
            sent.pop_front();
        }
    }
    for (auto& block : sent) WaitFor(block.second);
}

// The cores of a machine shared out among the processes of the run on it.
int ThreadsPerProcess(int requested) {
    if (requested > 0 || !Running()) return requested;
    MPI_Comm machine;
    MPI_Comm_split_type(MPI_COMM_WORLD, MPI_COMM_TYPE_SHARED, 0, MPI_INFO_NULL, &machine);
    int processes = 1;
    MPI_Comm_size(machine, &processes);
    MPI_Comm_free(&machine);
    return std::max(1, ThreadCount(0) / processes);
}

}  // namespace

ProcessGroup::ProcessGroup(int& argc, char**& argv) {
    if (LaunchedAsGroup()) MPI_Init(&argc, &argv);
}

ProcessGroup::~ProcessGroup() {
    if (Running()) MPI_Finalize();
}

bool LeadProcess() { return Rank() == kLead; }
int ProcessCount() { return Size(); }
bool ProcessGroup::Lead() const { return LeadProcess(); }

RowTotals ProduceRows(const PackedAlignment& packed, const DistanceOptions& requested,
                      const DistRowFormatter& formatter,
                      const std::function<void(const RowText&)>& write) {
    DistanceOptions options = requested;
    options.threads = ThreadsPerProcess(requested.threads);
    const int rows = formatter.RowCount();
    const int rank = Rank(), size = Size();
    const Blocks blocks{rows, std::clamp(rows / (kBlocksPerProcess * size), 1, kMostBlockRows)};
    RowTotals totals;
    if (rank == kLead)
        totals = Lead(packed, options, formatter, blocks, size, write);
    else
        Follow(packed, options, formatter, blocks, rank, size);
    if (size > 1) {
        std::vector<long long> sums = totals.Counts();
        MPI_Bcast(sums.data(), static_cast<int>(sums.size()), MPI_LONG_LONG, kLead, MPI_COMM_WORLD);
        totals = RowTotals::FromCounts(sums.data());
    }
    return totals;
}

}  // namespace dyvern::cli
