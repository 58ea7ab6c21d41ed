#include "actions/write_report.h"

#include "actions/editor.h"
#include "report/report.h"

namespace dyvern {

void WriteReport(Session& session) {
    WindowSystem& window = session.window;
    const std::string& path = session.files.reportPath;
    if (FileExists(path) && window.ShowMessage("Replace it", "Report file already exists",
                                               MessageStyle::Question) != MessageAnswer::Yes) {
        return;
    }
    if (!WriteReportFile(path, ReportText(session.state, session.state.expected))) {
        window.ShowMessage("Could not write the report file '" + path + "'", "Dyvern error",
                           MessageStyle::Error);
        return;
    }
    OpenInEditor(window, path);
}

}  // namespace dyvern
