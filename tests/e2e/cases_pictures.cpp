// Cases on what the program draws, read from screenshots: the gauge's blue
// column and the two count grids, against the geometry they are drawn by.
#include <algorithm>
#include <chrono>
#include <cmath>
#include <thread>

#include "cases.h"
#include "system/control_ids.h"

namespace e2e {
namespace {

// How far below its rectangle's top a text may start and still "stand at
// the top" (the font's internal leading), and how far off centre it may lie.
constexpr int kTopSlack = 4;
constexpr int kCentreSlackTwice = 4;  // two pixels, in doubled units

// The grid layout of a W x H control: every division cuts toward zero.
struct GridGeometry {
    GridGeometry(int width, int height)
        : width(width),
          height(height),
          colW(width / 5),
          rowH(height / 5),
          cw((width - colW) / 4),
          ch((height - rowH) / 4),
          frameLeft(colW - colW / 4),
          frameTop(rowH - rowH / 4) {}
    int width, height, colW, rowH, cw, ch, frameLeft, frameTop;
};

RECT Offset(const RECT& client, int left, int top, int right, int bottom) {
    return RECT{client.left + left, client.top + top, client.left + right, client.top + bottom};
}

bool FrameDrawn(const Image& image, const RECT& client, const GridGeometry& grid) {
    bool drawn = true;
    for (int y = grid.frameTop; y < grid.height; ++y) {
        drawn &= image.At(client.left + grid.frameLeft, client.top + y).IsBlack();
        drawn &= image.At(client.left + grid.width - 1, client.top + y).IsBlack();
    }
    for (int x = grid.frameLeft; x < grid.width; ++x) {
        drawn &= image.At(client.left + x, client.top + grid.frameTop).IsBlack();
        drawn &= image.At(client.left + x, client.top + grid.height - 1).IsBlack();
    }
    return drawn;
}

// A text stands at the top of `slot` and is centred across it.
bool TextPlaced(const Image& image, const RECT& slot) {
    const int top = FirstDarkRow(image, slot);
    const int centre = DarkCentreTwice(image, slot);
    return top >= slot.top && top - slot.top <= kTopSlack &&
           std::abs(centre - (slot.left + slot.right)) <= kCentreSlackTwice;
}

void CheckHeaders(Checks& checks, const Image& image, const RECT& client, const GridGeometry& grid,
                  const std::string& label) {
    bool placed = true;
    for (int k = 0; k < 4; ++k) {
        const int left = grid.colW + k * grid.cw;
        placed &= TextPlaced(image, Offset(client, left, 0, left + grid.cw, grid.frameTop));
        const int top = grid.rowH + k * grid.ch;
        placed &= TextPlaced(image, Offset(client, 0, top, grid.frameLeft, top + grid.ch));
    }
    checks.Expect(placed, label + ": headers A C G T in their slots");
}

// Rows advance by rowH, not by the cell height ch.
void CheckCells(Checks& checks, const Image& image, const RECT& client, const GridGeometry& grid,
                const std::string& label) {
    bool placed = true;
    bool pitch = true;
    for (int j = 0; j < 4; ++j) {
        int previousTop = -1;
        for (int i = 0; i < 4; ++i) {
            const int left = grid.colW + j * grid.cw;
            const int top = grid.rowH + i * grid.rowH;
            // Inside the frame's right and bottom lines; one row pitch high,
            // so the next row's text is not taken for this one's.
            const RECT cell = Offset(client, left, top, std::min(left + grid.cw, grid.width - 1),
                                     std::min(top + grid.rowH, grid.height - 1));
            placed &= TextPlaced(image, cell);
            const int textTop = FirstDarkRow(image, cell);
            pitch &= previousTop < 0 || textTop - previousTop == grid.rowH;
            previousTop = textTop;
        }
    }
    checks.Expect(placed, label + ": 16 cell texts centred at their cell tops");
    checks.Expect(pitch, label + ": cell rows " + std::to_string(grid.rowH) + " pixels apart");
}

void CheckGrid(Checks& checks, const Image& image, const RECT& client, const std::string& label) {
    const GridGeometry grid(client.right - client.left, client.bottom - client.top);
    checks.Expect(FrameDrawn(image, client, grid), label + ": frame outline");
    CheckHeaders(checks, image, client, grid, label);
    CheckCells(checks, image, client, grid, label);
}

// A screenshot of the whole main window, once its queued painting is done.
std::optional<Image> ShootWindow(RemoteProgram& program, const Setup& setup,
                                 const std::string& name, RECT& area) {
    program.Responsive();
    std::this_thread::sleep_for(std::chrono::milliseconds(300));
    GetWindowRect(program.Main(), &area);
    return setup.shots.Take(name, area);
}

}  // namespace

int GaugeHeight(RemoteProgram& program) {
    RECT client{};
    GetClientRect(program.Control(IDC_GAUGE), &client);
    return client.bottom;
}

int ExpectedFill(int height, double value, double low, double high) {
    double f = (value - low) / (high - low);
    if (!(f >= 0.0)) {
        f = 0.0;
    }
    if (f > 1.0) {
        f = 1.0;
    }
    return static_cast<int>(height * f + 0.5);
}

void CheckPictures(Checks& checks, RemoteProgram& program, const Setup& setup,
                   const std::string& shotName, int gaugeFill) {
    RECT area{};
    const auto image = ShootWindow(program, setup, shotName, area);
    checks.Expect(image.has_value(), "screenshot " + shotName + ".png");
    if (!image) {
        return;
    }
    if (gaugeFill >= 0) {
        const RECT gauge = Relative(ClientAreaOnScreen(program.Control(IDC_GAUGE)), area);
        const int measured = MeasureGaugeFill(*image, gauge);
        checks.Expect(measured == gaugeFill,
                      shotName + ": gauge filled " + std::to_string(gaugeFill) + " px",
                      "measured " + std::to_string(measured));
    }
    CheckGrid(checks, *image,
              Relative(ClientAreaOnScreen(program.Control(IDC_OBSERVED_GRID)), area),
              shotName + ": observed grid");
    CheckGrid(checks, *image,
              Relative(ClientAreaOnScreen(program.Control(IDC_EXPECTED_GRID)), area),
              shotName + ": expected grid");
}

int MeasureCurrentGaugeFill(RemoteProgram& program, const Setup& setup) {
    RECT area{};
    const auto image = ShootWindow(program, setup, "before-cover", area);
    if (!image) {
        return -1;
    }
    return MeasureGaugeFill(*image, Relative(ClientAreaOnScreen(program.Control(IDC_GAUGE)), area));
}

void CheckRepaintAfterCover(Checks& checks, RemoteProgram& program, const Setup& setup,
                            int gaugeFill) {
    checks.Group("gauge and grids repaint after being covered");
    CheckPictures(checks, program, setup, "after-about", gaugeFill);

    checks.Group("gauge and grids repaint after minimise and restore");
    PostMessageA(program.Main(), WM_SYSCOMMAND, SC_MINIMIZE, 0);
    checks.Expect(WaitUntil([&] { return IsIconic(program.Main()) != FALSE; }, 10.0), "minimised");
    PostMessageA(program.Main(), WM_SYSCOMMAND, SC_RESTORE, 0);
    checks.Expect(WaitUntil([&] { return IsIconic(program.Main()) == FALSE; }, 10.0), "restored");
    CheckPictures(checks, program, setup, "restored", gaugeFill);
}

bool WaitForLoad(RemoteProgram& program, const std::string& dataFile) {
    return WaitUntil([&] { return program.Title() == "Dyvern - " + dataFile; }, 20.0);
}

}  // namespace e2e
