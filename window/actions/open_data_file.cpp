#include "actions/open_data_file.h"

#include <fstream>

#include "data/data_file.h"
#include "actions/evaluation.h"
#include "controls/count_grid.h"
#include "system/control_ids.h"

namespace dyvern {
namespace {

constexpr const char* kInitialFileName = "dyvern.dat";
constexpr const char* kErrorCaption = "Dyvern error";

}  // namespace

void OpenDataFile(Session& session, const std::optional<std::string>& path) {
    WindowSystem& window = session.window;
    AnalysisState& state = session.state;
    std::string chosen;
    if (path) {
        chosen = *path;
    } else {
        const std::optional<std::string> answer = window.AskForDataFile(kInitialFileName);
        if (!answer) return;
        chosen = *answer;
        state.dataLoaded = true;  // a confirmed choice: the table on screen counts as loaded
    }
    std::ifstream in(chosen);
    if (!in) {
        window.ShowMessage("Could not open file '" + chosen + "'", kErrorCaption,
                           MessageStyle::Error);
        return;
    }
    const DataFileTable table = ReadDataFile(in, state.siteCount);
    state.siteCount = table.siteCount;
    state.observed = table.counts;
    state.dataLoaded = true;
    state.source = chosen;
    state.pair.clear();
    window.EnableControl(IDC_SOLVE, true);
    DrawCountGrid(window, state, IDC_OBSERVED_GRID, false);
    window.SetTitle("Dyvern - " + chosen);
    ScaleGauge(session);
    Evaluate(session, false);
}

}  // namespace dyvern
