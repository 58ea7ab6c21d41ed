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
    bool IsBlack() const { return red == 0 && green == 0 && blue == 0; }
    // Text ink, anti-aliased edges included.
    bool IsDark() const { return red + green + blue < 300; }
};

class Image {
public:
    Image(int width, int height, std::vector<unsigned char> rgb);
    int Width() const { return width; }
    int Height() const { return height; }
    Pixel At(int x, int y) const;  // black outside the image

private:
    int width;
    int height;
    std::vector<unsigned char> rgb;
};

// Reads a binary PPM (P6, maximum 255).
std::optional<Image> ReadPpm(const std::string& path);

class Screenshots {
public:
    // `folder` is watched by the screenshot service; empty means none runs.
    explicit Screenshots(std::string folder) : folder(std::move(folder)) {}
    bool Available() const { return !folder.empty(); }
    // The screen area `area` (screen pixels) saved as <name>.png and read back.
    std::optional<Image> Take(const std::string& name, const RECT& area) const;

private:
    std::string folder;
};

// A control's client area in screen pixels.
RECT ClientAreaOnScreen(HWND control);

// Image coordinates of a rectangle inside an image taken of `imageArea`.
RECT Relative(const RECT& screenRect, const RECT& imageArea);

// Height of the gauge's blue column, from the centre column of its client
// area: the column is outlined, so the first blue row lies one below its top.
int MeasureGaugeFill(const Image& image, const RECT& client);

// First row of `area` holding a dark pixel, or -1.
int FirstDarkRow(const Image& image, const RECT& area);
// Horizontal centre of the dark pixels of `area` times two (so halves stay
// whole), or -1 when there are none.
int DarkCentreTwice(const Image& image, const RECT& area);

}  // namespace e2e
