#include "screen.h"

#include <algorithm>
#include <fstream>
#include <iterator>

#include "remote.h"

namespace e2e {

Image::Image(int width, int height, std::vector<unsigned char> rgb)
    : width(width), height(height), rgb(std::move(rgb)) {}

Pixel Image::At(int x, int y) const {
    if (x < 0 || y < 0 || x >= width || y >= height) {
        return Pixel{};
    }
    const size_t offset = (static_cast<size_t>(y) * width + x) * 3;
    return Pixel{rgb[offset], rgb[offset + 1], rgb[offset + 2]};
}

std::optional<Image> ReadPpm(const std::string& path) {
    std::ifstream file(path, std::ios::binary);
    std::string magic;
    int width = 0;
    int height = 0;
    int maximum = 0;
    if (!(file >> magic >> width >> height >> maximum) || magic != "P6" || maximum != 255) {
        return std::nullopt;
    }
    file.get();  // the single white-space character before the samples
    std::vector<unsigned char> rgb(static_cast<size_t>(width) * height * 3);
    file.read(reinterpret_cast<char*>(rgb.data()), static_cast<std::streamsize>(rgb.size()));
    if (!file) {
        return std::nullopt;
    }
    return Image(width, height, std::move(rgb));
}

std::optional<Image> Screenshots::Take(const std::string& name, const RECT& area) const {
    if (!Available()) {
        return std::nullopt;
    }
    const std::string base = folder + "\\" + name;
    DeleteFileA((base + ".done").c_str());
    // Written under another name first: the service must never read half a request.
    {
        std::ofstream request(base + ".part");
        request << (area.right - area.left) << ' ' << (area.bottom - area.top) << ' ' << area.left
                << ' ' << area.top << '\n';
    }
    MoveFileExA((base + ".part").c_str(), (base + ".request").c_str(), MOVEFILE_REPLACE_EXISTING);
    const bool done = WaitUntil(
        [&] { return GetFileAttributesA((base + ".done").c_str()) != INVALID_FILE_ATTRIBUTES; },
        30.0);
    if (!done) {
        return std::nullopt;
    }
    return ReadPpm(base + ".ppm");
}

RECT ClientAreaOnScreen(HWND control) {
    RECT client{};
    GetClientRect(control, &client);
    POINT origin{0, 0};
    ClientToScreen(control, &origin);
    return RECT{origin.x, origin.y, origin.x + client.right, origin.y + client.bottom};
}

RECT Relative(const RECT& screenRect, const RECT& imageArea) {
    return RECT{screenRect.left - imageArea.left, screenRect.top - imageArea.top,
                screenRect.right - imageArea.left, screenRect.bottom - imageArea.top};
}

int MeasureGaugeFill(const Image& image, const RECT& client) {
    const int x = (client.left + client.right) / 2;
    for (int y = client.top; y < client.bottom; ++y) {
        if (image.At(x, y).IsBlue()) {
            return client.bottom - y + 1;
        }
    }
    return 0;
}

int FirstDarkRow(const Image& image, const RECT& area) {
    for (int y = area.top; y < area.bottom; ++y) {
        for (int x = area.left; x < area.right; ++x) {
            if (image.At(x, y).IsDark()) {
                return y;
            }
        }
    }
    return -1;
}

int DarkCentreTwice(const Image& image, const RECT& area) {
    int leftmost = area.right;
    int rightmost = area.left - 1;
    for (int y = area.top; y < area.bottom; ++y) {
        for (int x = area.left; x < area.right; ++x) {
            if (image.At(x, y).IsDark()) {
                leftmost = std::min(leftmost, x);
                rightmost = std::max(rightmost, x);
            }
        }
    }
    return rightmost < leftmost ? -1 : leftmost + rightmost;
}

}  // namespace e2e
