#include "actions/compare_models.h"

#include "actions/report_file.h"
#include "estimate/model_comparison.h"
#include "report/comparison_text.h"

namespace dyvern {
namespace {

constexpr const char* kErrorCaption = "Dyvern error";

}  // namespace

void CompareLoadedModels(Session& session) {
    const AnalysisState& state = session.state;
    WindowSystem& window = session.window;
    if (!state.dataLoaded) {
        window.ShowMessage("No data are loaded: open a data file first", kErrorCaption,
                           MessageStyle::Error);
        return;
    }
    const ModelComparison comparison = CompareModels(state.observed, state.siteCount);
    if (!comparison.ranked) {
        const std::string problem = comparison.fits[0].problem;
        window.ShowMessage("The models cannot be fitted to this table" +
                               (problem.empty() ? std::string() : ": " + problem),
                           kErrorCaption, MessageStyle::Error);
        return;
    }
    const ComparedData data{state.source, state.pair, state.siteCount};
    SaveAndOpen(window, session.files.modelsPath, ComparisonText(data, comparison),
                "Model comparison file already exists", "model comparison file");
}

}  // namespace dyvern
