// Cases on what the program draws, read from screenshots against the
// controls' real client rectangles: the gauge's blue column, the text of the
// two count grids, the grey or black items of a menu.
#include <chrono>
#include <thread>

#include "cases.h"
#include "system/control_ids.h"

namespace e2e {
namespace {

// Slots are trimmed so that the grid's frame lines on their edges are not
// taken for text.
constexpr int kSlotInset = 2;
constexpr int kOutline = 1;

// A screenshot of `window`, once the program's queued painting is done.
std::optional<Image> Shoot(RemoteProgram& program, const Setup& setup, const std::string& name,
                           HWND window) {
    program.Responsive();
    std::this_thread::sleep_for(std::chrono::milliseconds(300));
    return setup.shots.Take(name, window);
}

// Dividing the client area into five by five slots, the 4x4 block at the
// bottom right holds one cell text per slot.
int CellSlotsWithText(const Image& image, const RECT& client) {
    const int width = client.right - client.left;
    const int height = client.bottom - client.top;
    int withText = 0;
    for (int row = 1; row <= 4; ++row) {
        for (int column = 1; column <= 4; ++column) {
            const RECT slot{client.left + column * width / 5 + kSlotInset,
                            client.top + row * height / 5 + kSlotInset,
                            client.left + (column + 1) * width / 5 - kSlotInset,
                            client.top + (row + 1) * height / 5 - kSlotInset};
            withText += CountPixels(image, slot, &Pixel::IsDark) > 0 ? 1 : 0;
        }
    }
    return withText;
}

// The blue column is outlined by one black pixel, so a full gauge shows blue
// from the second row of its client area to the last but one.
void CheckGauge(Checks& checks, const Image& image, const RECT& client, bool full,
                const std::string& label) {
    const int centre = (client.left + client.right) / 2;
    const int inside = client.bottom - client.top - 2 * kOutline;
    const int blue =
        CountPixels(image, {centre, client.top + kOutline, centre + 1, client.bottom - kOutline},
                    &Pixel::IsBlue);
    const std::string seen = std::to_string(blue) + " of " + std::to_string(inside) + " rows blue";
    if (full) {
        checks.Expect(blue == inside, label + ": gauge full to the top", seen);
    } else {
        checks.Expect(CountPixels(image, client, &Pixel::IsBlue) == 0, label + ": gauge empty",
                      seen);
    }
}

}  // namespace

void CheckPictures(Checks& checks, RemoteProgram& program, const Setup& setup,
                   const std::string& shotName, bool gaugeFull) {
    const auto image = Shoot(program, setup, shotName, program.Main());
    if (!checks.Expect(image.has_value(), "screenshot " + shotName + ".png")) return;
    CheckGauge(checks, *image, image->ClientArea(program.Control(IDC_GAUGE)), gaugeFull, shotName);
    std::string slots;
    for (const int grid : {IDC_OBSERVED_GRID, IDC_EXPECTED_GRID})
        slots += " " + std::to_string(
                           CellSlotsWithText(*image, image->ClientArea(program.Control(grid))));
    checks.Expect(slots == " 16 16", shotName + ": both grids show text in their 16 cells",
                  "cells with text:" + slots);
}

std::optional<bool> MenuLowerItemEnabled(RemoteProgram& program, const Setup& setup,
                                         const std::string& shotName) {
    const auto image = Shoot(program, setup, shotName, program.MenuPopup());
    if (!image) return std::nullopt;
    // The upper item is highlighted; its text is never black.
    const RECT lower{4, image->height / 2, image->width - 4, image->height - 4};
    return CountPixels(*image, lower, &Pixel::IsBlackInk) > 0;
}

void CheckInvalidGauge(Checks& checks, RemoteProgram& program, const Setup& setup) {
    checks.Group("an out-of-range kappa empties the gauge");
    program.SelectItem(IDC_MODEL_COMBO, kK80);
    program.SetText(IDC_KAPPA_EDIT, "abc");
    CheckPictures(checks, program, setup, "invalid", false);
    checks.ExpectText(program.Text(IDC_D_VALUE), "*****", "d shows the invalid marks");
    program.SetText(IDC_KAPPA_EDIT, "1");
    program.SelectItem(IDC_MODEL_COMBO, kJc69);
}

void CheckRepaint(Checks& checks, RemoteProgram& program, const Setup& setup) {
    // Wine shows an uncovered window from a kept copy of its pixels, without
    // asking it to paint; Windows invalidates what was hidden, as done here.
    checks.Group("gauge and grids repaint after being invalidated, as uncovering does");
    checks.Expect(program.Command(IDC_SOLVE), "Solve answered: a full gauge to repaint");
    checks.Expect(RedrawWindow(program.Main(), nullptr, nullptr,
                               RDW_INVALIDATE | RDW_ERASE | RDW_ALLCHILDREN) != FALSE,
                  "main window and its controls invalidated");
    CheckPictures(checks, program, setup, "invalidated", true);

    checks.Group("gauge and grids repaint after minimise and restore");
    PostMessageA(program.Main(), WM_SYSCOMMAND, SC_MINIMIZE, 0);
    checks.Expect(WaitUntil([&] { return IsIconic(program.Main()) != FALSE; }, 10.0), "minimised");
    PostMessageA(program.Main(), WM_SYSCOMMAND, SC_RESTORE, 0);
    checks.Expect(WaitUntil([&] { return IsIconic(program.Main()) == FALSE; }, 10.0), "restored");
    CheckPictures(checks, program, setup, "restored", true);
}

}  // namespace e2e
