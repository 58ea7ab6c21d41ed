#include "actions/write_report.h"

#include "actions/report_file.h"
#include "report/report.h"

namespace dyvern {

void WriteReport(Session& session) {
    SaveAndOpen(session.window, session.files.reportPath,
                ReportText(session.state, session.state.expected), "Report file already exists",
                "report file");
}

}  // namespace dyvern
