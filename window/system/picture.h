// What Dyvern draws into its gauge and grid controls, as data: the window
// system paints a picture and can paint it again whenever the control needs it.
#pragma once

#include <string>
#include <vector>

namespace dyvern {

struct Rect {
    int left = 0;
    int top = 0;
    int right = 0;
    int bottom = 0;
    bool operator==(const Rect& other) const {
        return left == other.left && top == other.top && right == other.right &&
               bottom == other.bottom;
    }
};

struct Size {
    int width = 0;
    int height = 0;
};

struct Rgb {
    int red = 0;
    int green = 0;
    int blue = 0;
    bool operator==(const Rgb& other) const {
        return red == other.red && green == other.green && blue == other.blue;
    }
};

// The three fonts of the main window.
enum class FontRole { Small, Symbol, Variables };

enum class FillColour { Blue, ButtonFace };

struct Shape {
    enum class Kind {
        FilledBox,  // outlined with a one-pixel black pen, filled with `fill`
        Frame,      // a one-pixel black outline only
        Text,       // `text` centred across `rect`, standing at its top, transparent background
    };
    Kind kind = Kind::Frame;
    Rect rect;
    FillColour fill = FillColour::ButtonFace;
    std::string text;
    FontRole font = FontRole::Small;
};

using Picture = std::vector<Shape>;

}  // namespace dyvern
