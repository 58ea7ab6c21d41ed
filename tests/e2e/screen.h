// Screenshots and reading pixels from them. The driver cannot take a picture
// of the X screen itself: it asks a service running beside Wine, through
// request files in a shared folder, and reads back the cropped image.
#pragma once

#include <windows.h>

#include <optional>
#include <string>
#include <vector>

namespace e2e {

struct Pixel {
    int red = 0;
    int green = 0;
    int blue = 0;
    bool IsBlue() const { return red == 0 && green == 0 && blue == 255; }
    // Text ink, anti-aliased edges included.
    bool IsDark() const { return red + green + blue < 300; }
    // Ink of enabled text; grey (disabled) text and highlight colours are not.
    bool IsBlackInk() const { return red < 64 && green < 64 && blue < 64; }
};

// An image of the screen area `area` (screen pixels).
struct Image {
    RECT area{};
    int width = 0;
    int height = 0;
    std::vector<unsigned char> rgb;
    Pixel At(int x, int y) const;  // black outside the image
    // A window's client area in this image's coordinates.
    RECT ClientArea(HWND window) const;
};

class Screenshots {
public:
    // `folder` is watched by the screenshot service; empty means none runs.
    explicit Screenshots(std::string folder) : folder(std::move(folder)) {}
    // The screen area of `window` saved as <name>.png and read back.
    std::optional<Image> Take(const std::string& name, HWND window) const;

private:
    std::string folder;
};

// How many pixels of `area` pass `test`.
int CountPixels(const Image& image, const RECT& area, bool (Pixel::*test)() const);

}  // namespace e2e
