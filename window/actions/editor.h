// The text editor the reports and the guide are opened in.
#pragma once

#include <string>

#include "system/window_system.h"

namespace dyvern {

inline void OpenInEditor(WindowSystem& window, const std::string& path) {
    window.StartProgram("NOTEPAD.EXE " + path);  // the path follows directly, unquoted
}

}  // namespace dyvern
