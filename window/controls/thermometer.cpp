#include "controls/thermometer.h"

#include "base/stop.h"

namespace dyvern {

int GaugeFilledHeight(int height, double low, double high, double v) {
    double f = (v - low) / (high - low);
    if (!(f >= 0.0)) f = 0.0;  // negative, or not a number
    if (f > 1.0) f = 1.0;
    // Halves round up and the rest is cut toward zero: f is never negative here.
    return static_cast<int>(height * f + 0.5);  // NOLINT(bugprone-incorrect-roundings)
}

Picture GaugePicture(int width, int height, int filled) {
    int top = height - filled;
    if (top < 0) top = 0;
    Shape column;
    column.kind = Shape::Kind::FilledBox;
    column.rect = {0, top, width, height};
    column.fill = FillColour::Blue;
    Shape rest;
    rest.kind = Shape::Kind::FilledBox;
    rest.rect = {0, 0, width, top};
    rest.fill = FillColour::ButtonFace;
    return {column, rest};
}

Thermometer::Thermometer(WindowSystem& window, int id) : window(window), id(id) {
    const bool hwndTherm = window.HasControl(id);
    DYVERN_ASSERT(hwndTherm, "dyvern");
    const Size size = window.ClientSize(id);
    width = size.width;
    height = size.height;
}

void Thermometer::Clear() { window.Paint(id, Picture{}, true); }

void Thermometer::Update(double v) {
    if (!scaled) return;
    value = v;
    window.Paint(id, GaugePicture(width, height, GaugeFilledHeight(height, low, high, v)), false);
}

}  // namespace dyvern
