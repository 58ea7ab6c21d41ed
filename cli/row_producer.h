// Where dist's rows are computed: on this process's threads, or shared out
// among the processes of an MPI run, with the text written in row order by
// the first process alone.
#pragma once

#include <functional>

#include "dist_rows.h"

namespace dyvern::cli {

// The run's processes for the life of the program: MPI is started when the
// program was launched by mpirun, and finished at the end.
class ProcessGroup {
public:
    ProcessGroup(int& argc, char**& argv);
    ~ProcessGroup();
    ProcessGroup(const ProcessGroup&) = delete;
    ProcessGroup& operator=(const ProcessGroup&) = delete;

    // Whether this process writes: the only one, or the first of an MPI run.
    bool Lead() const;
};

// Whether this process writes: the only one, or the first of an MPI run.
bool LeadProcess();
// The processes of the run: 1, or those of an MPI run.
int ProcessCount();

// Computes every row, formats it with `formatter` and passes the text to
// `write` in row order (on the lead process only); returns the totals of all
// rows, the same on every process.
RowTotals ProduceRows(const PackedAlignment& packed, const DistanceOptions& options,
                      const DistRowFormatter& formatter,
                      const std::function<void(const RowText&)>& write);

}  // namespace dyvern::cli
