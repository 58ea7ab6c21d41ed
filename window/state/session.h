// Everything the main window owns for one run of the program: the analysis
// state, the six parameter fields, the gauge and the file locations, with
// the window system they draw through. The window's operations act on it.
#pragma once

#include <memory>

#include "state/analysis_state.h"
#include "state/file_locations.h"
#include "controls/parameter_fields.h"
#include "controls/thermometer.h"
#include "system/window_system.h"

namespace dyvern {

struct Session {
    explicit Session(WindowSystem& window) : window(window) {}

    WindowSystem& window;
    AnalysisState state;
    ParameterFields fields;
    std::unique_ptr<Thermometer> thermometer;
    FileLocations files;
};

}  // namespace dyvern
