#pragma once

#include <string>

#include "system/window_system.h"

namespace dyvern {

// Writes `text` to `path`, asking first ("Replace it", captioned
// `existsCaption`) before an earlier file is replaced, and opens it in the
// text editor. A file that cannot be written is reported as "the `what`".
void SaveAndOpen(WindowSystem& window, const std::string& path, const std::string& text,
                 const std::string& existsCaption, const std::string& what);

}  // namespace dyvern
