// One process: the rows come from the distance engine's threads.
#include "row_producer.h"

namespace dyvern::cli {

ProcessGroup::ProcessGroup(int&, char**&) {}
ProcessGroup::~ProcessGroup() = default;
bool LeadProcess() { return true; }
int ProcessCount() { return 1; }
bool ProcessGroup::Lead() const { return LeadProcess(); }

RowTotals ProduceRows(const PackedAlignment& packed, const DistanceOptions& options,
                      const DistRowFormatter& formatter,
                      const std::function<void(const RowText&)>& write) {
    RowTotals totals;
    FormatRows(packed, options, formatter, 0, formatter.RowCount(), [&](RowText&& text) {
        totals.Add(text.totals);
        write(text);
    });
    return totals;
}

}  // namespace dyvern::cli
