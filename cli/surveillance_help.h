// The help of what molecular surveillance uses: dist's inputs and outputs
// for edge lists, its summary, and the cluster command.
#pragma once

namespace dyvern::cli {

// dist: ALIGNMENT and --against, the formats, --max-d, --min-overlap, --summary.
extern const char* const kDistInputsHelp;
extern const char* const kDistOutputsHelp;
extern const char* const kDistSummaryHelp;
// cluster, whole but for the distance options, which it shares with dist.
extern const char* const kClusterHelp;

}  // namespace dyvern::cli
