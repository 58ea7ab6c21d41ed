// A vertical column gauge drawn into a static control: empty at `low`, full
// at `high`, growing from the bottom.
#pragma once

#include "system/window_system.h"

namespace dyvern {

// Filled height in whole pixels, halves rounded up; a value that is not a
// number, or below the scale, gives an empty column.
int GaugeFilledHeight(int height, double low, double high, double v);

// The column: blue from the fill line down, button face above it.
Picture GaugePicture(int width, int height, int filled);

class Thermometer {
public:
    Thermometer(WindowSystem& window, int id);

    // Shows the control's empty background.
    void Clear();
    // Stores v and redraws, once a scale has been set; before that, nothing.
    void Update(double v);

    WindowSystem& window;
    int id;
    int height;  // client size in pixels, taken when made
    int width;
    double low = 0.0;
    double high = 0.0;
    double value = 0.0;
    bool scaled = false;
};

}  // namespace dyvern
