#include "screen.h"

#include <fstream>

#include "remote.h"

namespace e2e {
namespace {

// A binary PPM (P6, maximum 255), as the service writes it.
std::optional<Image> ReadPpm(const std::string& path, const RECT& area) {
    std::ifstream file(path, std::ios::binary);
    std::string magic;
    int maximum = 0;
    Image image;
    image.area = area;
    if (!(file >> magic >> image.width >> image.height >> maximum) || magic != "P6" ||
        maximum != 255) {
        return std::nullopt;
    }
    file.get();  // the single white-space character before the samples
    image.rgb.resize(static_cast<size_t>(image.width) * image.height * 3);
    file.read(reinterpret_cast<char*>(image.rgb.data()),
              static_cast<std::streamsize>(image.rgb.size()));
    return file ? std::optional<Image>(std::move(image)) : std::nullopt;
}

}  // namespace

Pixel Image::At(int x, int y) const {
    if (x < 0 || y < 0 || x >= width || y >= height) return Pixel{};
    const size_t offset = (static_cast<size_t>(y) * width + x) * 3;
    return Pixel{rgb[offset], rgb[offset + 1], rgb[offset + 2]};
}

RECT Image::ClientArea(HWND window) const {
    RECT client{};
    GetClientRect(window, &client);
    MapWindowPoints(window, nullptr, reinterpret_cast<POINT*>(&client), 2);
    OffsetRect(&client, -area.left, -area.top);
    return client;
}

std::optional<Image> Screenshots::Take(const std::string& name, HWND window) const {
    RECT area{};
    if (folder.empty() || !GetWindowRect(window, &area)) return std::nullopt;
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
    return done ? ReadPpm(base + ".ppm", area) : std::nullopt;
}

int CountPixels(const Image& image, const RECT& area, bool (Pixel::*test)() const) {
    int count = 0;
    for (int y = area.top; y < area.bottom; ++y) {
        for (int x = area.left; x < area.right; ++x) count += (image.At(x, y).*test)() ? 1 : 0;
    }
    return count;
}

}  // namespace e2e
