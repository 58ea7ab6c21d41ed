// One process: the rows come from the distance engine's threads.
#include "row_producer.h"

namespace dyvern::cli {

ProcessGroup::ProcessGroup(int&, char**&) {}
ProcessGroup::~ProcessGroup() = default;
bool LeadProcess() { return true; }
bool ProcessGroup::Lead() const { return LeadProcess(); }

RowTotals ProduceRows(const PackedAlignment& packed, const DistanceOptions& options,
                      const DistRowFormatter& formatter,
                      const std::function<void(const RowText&)>& write) {
    RowTotals totals;
    FormatRows(packed, options, formatter, 0, static_cast<int>(packed.size()), [&](RowText&& text) {
        totals.Add(text.totals);
        write(text);
    });
    return totals;
}

}  // namespace dyvern::cli
