#include "actions/open_help.h"

#include "actions/editor.h"
#include "report/report.h"

namespace dyvern {

void OpenHelp(Session& session) {
    const FileLocations& files = session.files;
    if (FileExists(files.helpPath)) {
        session.window.OpenHelp(kHelpFileName);
    } else if (FileExists(files.guidePath)) {
        OpenInEditor(session.window, files.guidePath);
    } else {
        session.window.ShowMessage("Neither the help file '" + files.helpPath +
                                       "' nor the guide '" + files.guidePath + "' was found",
                                   "Dyvern error", MessageStyle::Error);
    }
}

}  // namespace dyvern
