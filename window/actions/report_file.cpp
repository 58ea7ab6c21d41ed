#include "actions/report_file.h"

#include "actions/editor.h"
#include "report/report.h"

namespace dyvern {

void SaveAndOpen(WindowSystem& window, const std::string& path, const std::string& text,
                 const std::string& existsCaption, const std::string& what) {
    if (FileExists(path) && window.ShowMessage("Replace it", existsCaption,
                                               MessageStyle::Question) != MessageAnswer::Yes) {
        return;
    }
    if (!WriteReportFile(path, text)) {
        window.ShowMessage("Could not write the " + what + " '" + path + "'", "Dyvern error",
                           MessageStyle::Error);
        return;
    }
    OpenInEditor(window, path);
}

}  // namespace dyvern
