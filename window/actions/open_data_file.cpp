#include "actions/open_data_file.h"

#include <fstream>

#include "actions/evaluation.h"
#include "actions/open_alignment.h"
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
        if (OpenAlignment(session, chosen)) return;
        state.dataLoaded = true;  // a confirmed choice: the table on screen counts as loaded
    }
    std::ifstream in(chosen);
    if (!in) {
        window.ShowMessage("Could not open file '" + chosen + "'", kErrorCaption,
                           MessageStyle::Error);
        return;
    }
    LoadTable(session, ReadDataFile(in, state.siteCount), chosen, "");
}

void LoadTable(Session& session, const DataFileTable& table, const std::string& source,
               const std::string& pair) {
    WindowSystem& window = session.window;
    AnalysisState& state = session.state;
    state.siteCount = table.siteCount;
    state.observed = table.counts;
    state.dataLoaded = true;
    state.source = source;
    state.pair = pair;
    window.EnableControl(IDC_SOLVE, true);
    DrawCountGrid(window, state, IDC_OBSERVED_GRID, false);
    window.SetTitle("Dyvern - " + source + (pair.empty() ? "" : " (" + pair + ")"));
    ScaleGauge(session);
    Evaluate(session, false);
}

}  // namespace dyvern
