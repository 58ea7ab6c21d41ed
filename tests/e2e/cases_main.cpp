// Cases on the main window: what the logic sets must reach the real controls,
// the real controls' commands the logic, and its pictures the screen (read
// from screenshots against the controls' real client rectangles).
#include <tuple>
#include <utility>

#include "harness.h"
#include "system/control_ids.h"

namespace e2e {
namespace {

// Slots are trimmed so that the grid's frame lines on their edges are not
// taken for text; the gauge's blue column is outlined by one black pixel.
constexpr int kSlotInset = 2;
constexpr int kOutline = 1;

bool IsBlue(int red, int green, int blue) { return red == 0 && green == 0 && blue == 255; }
// Text ink, anti-aliased edges included.
bool IsDark(int red, int green, int blue) { return red + green + blue < 300; }
// Ink of enabled text; grey (disabled) text and highlight colours are not.
bool IsBlackInk(int red, int green, int blue) { return red < 64 && green < 64 && blue < 64; }

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
            withText += CountPixels(image, slot, IsDark) > 0 ? 1 : 0;
        }
    }
    return withText;
}

// A full gauge is blue from the second row of its client area to the last
// but one, an empty one not at all; both grids show text in their 16 cells.
void CheckPicture(Checks& checks, RemoteProgram& program, const Setup& setup,
                  const std::string& name, bool gaugeFull) {
    const auto image = TakeShot(setup.shots, name, program.Main());
    if (!checks.Expect(image.has_value(), "screenshot " + name + ".png")) return;
    const RECT gauge = image->ClientArea(program.Control(IDC_GAUGE));
    const int centre = (gauge.left + gauge.right) / 2;
    const int inside = gauge.bottom - gauge.top - 2 * kOutline;
    const int column = CountPixels(
        *image, {centre, gauge.top + kOutline, centre + 1, gauge.bottom - kOutline}, IsBlue);
    checks.Expect(column == (gaugeFull ? inside : 0),
                  gaugeFull ? "gauge full to the top" : "gauge empty",
                  std::to_string(column) + " of " + std::to_string(inside) + " rows blue");
    std::string slots;
    for (const int grid : {IDC_OBSERVED_GRID, IDC_EXPECTED_GRID})
        slots += " " + std::to_string(
                           CellSlotsWithText(*image, image->ClientArea(program.Control(grid))));
    checks.Expect(slots == " 16 16", "both grids show text in their 16 cells",
                  "cells with text:" + slots);
}

// Opens the Frequencies menu, one title right of File (the first to answer
// Alt+F), and says whether its lower item, Equal, has black (enabled) text;
// the upper item is highlighted, its text never black.
std::optional<bool> EqualItemBlack(RemoteProgram& program, const Setup& setup,
                                   const std::string& name) {
    const auto popupLeft = [&] {
        RECT popup{};
        return GetWindowRect(program.MenuPopup(), &popup) ? popup.left : LONG{-1};
    };
    program.Post(WM_SYSCOMMAND, SC_KEYMENU, 'f');
    LONG file = -1;
    WaitUntil([&] { return (file = popupLeft()) >= 0; }, 5.0);
    program.Post(WM_KEYDOWN, VK_RIGHT, 0);
    const bool opened = file >= 0 && WaitUntil([&] { return popupLeft() > file; }, 5.0);
    const auto image = opened ? TakeShot(setup.shots, name, program.MenuPopup()) : std::nullopt;
    program.Post(WM_KEYDOWN, VK_ESCAPE, 0);  // the popup, then the menu bar
    program.Post(WM_KEYDOWN, VK_ESCAPE, 0);
    WaitUntil([&] { return program.MenuPopup() == nullptr; }, 5.0);
    if (!image) return {};
    const RECT lower{4, image->height / 2, image->width - 4, image->height - 4};
    return CountPixels(*image, lower, IsBlackInk) > 0;
}

void CheckControls(Checks& checks, RemoteProgram& program, const Setup& setup) {
    checks.Group("start-up: the controls show what the logic set");
    // Inserted by position into a sorting combo box: the order must survive.
    const std::vector<std::string> models = {"Jukes & Cantor (1969)", "Felsenstein (1981)",
                                             "Kimura (1980)", "Hasegawa et al. (1985)"};
    const auto items = ListTexts(program.Control(IDC_MODEL_COMBO), CB_GETCOUNT, CB_GETLBTEXT);
    checks.Expect(items == models && program.Send(IDC_MODEL_COMBO, CB_GETCURSEL) == kJc69,
                  "model list holds the four models in order, JC69 selected",
                  items.empty() ? "empty" : "first \"" + items.front() + "\"");
    checks.Expect(program.Send(IDC_LIKELIHOOD, BM_GETCHECK) == BST_CHECKED &&
                      program.Send(IDC_LEAST_SQUARES, BM_GETCHECK) == BST_UNCHECKED,
                  "Likelihood checked, Least squares not");

    // One model frees the frequencies alone, the other kappa alone; piT's
    // edit starts greyed by the resource and is freed by the logic.
    const std::tuple<Model, const char*, bool> kModels[] = {{kF81, "F81", true},
                                                            {kK80, "K80", false}};
    const std::pair<int, bool> kControls[] = {{IDC_KAPPA_EDIT, false},
                                              {IDC_KAPPA_UP, false},
                                              {IDC_PIA_EDIT, true},
                                              {IDC_PIT_EDIT, true},
                                              {IDC_EQUAL, true}};
    for (const auto& [model, name, frequenciesFree] : kModels) {
        checks.Group(std::string("model ") + name + ": controls and menu items it frees");
        std::string wrong;
        program.SelectItem(IDC_MODEL_COMBO, model);
        for (const auto& [id, isFrequency] : kControls) {
            if ((IsWindowEnabled(program.Control(id)) != FALSE) != (isFrequency == frequenciesFree))
                wrong += " " + std::to_string(id);
        }
        checks.Expect(wrong.empty(), "kappa and frequency controls enabled as the model says",
                      "wrong:" + wrong);
        const auto black = EqualItemBlack(program, setup, std::string("menu-") + name);
        checks.Expect(black == frequenciesFree, "Frequencies > Equal black when free, else grey",
                      black ? "it is not" : "no menu or no screenshot");
    }
    program.SelectItem(IDC_MODEL_COMBO, kJc69);
}

void CheckSolveAndPictures(Checks& checks, RemoteProgram& program, const Setup& setup) {
    checks.Group("Solve under JC69: the optimum, a full gauge, both grids");
    program.Command(IDC_SOLVE);
    const std::string lnL = program.Text(IDC_CRITERION_VALUE);
    checks.Expect(Near(lnL, -1594.692558, 1e-5), "lnL at the known optimum", lnL);
    CheckPicture(checks, program, setup, "solved", true);

    // Wine shows an uncovered window from a kept copy of its pixels, without
    // asking it to paint; Windows invalidates what was hidden, as done here.
    checks.Group("the same after being invalidated, as uncovering does");
    RedrawWindow(program.Main(), nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_ALLCHILDREN);
    CheckPicture(checks, program, setup, "invalidated", true);
    checks.Group("the same after minimise and restore");
    program.Post(WM_SYSCOMMAND, SC_MINIMIZE, 0);
    const bool minimised = WaitUntil([&] { return IsIconic(program.Main()) != FALSE; }, 10.0);
    program.Post(WM_SYSCOMMAND, SC_RESTORE, 0);
    checks.Expect(minimised && WaitUntil([&] { return IsIconic(program.Main()) == FALSE; }, 10.0),
                  "minimised and restored");
    CheckPicture(checks, program, setup, "restored", true);

    checks.Group("an out-of-range kappa empties the gauge and shows the invalid marks");
    program.SelectItem(IDC_MODEL_COMBO, kK80);
    program.SetText(IDC_KAPPA_EDIT, "abc");
    CheckPicture(checks, program, setup, "invalid", false);
    const std::string marks = program.Text(IDC_D_VALUE);
    checks.Expect(marks == "*****", "d shows the invalid marks", marks);
    program.SetText(IDC_KAPPA_EDIT, "1");
    program.SelectItem(IDC_MODEL_COMBO, kJc69);

    checks.Group("d follows a typed branch length");
    program.SetText(IDC_BETAT_EDIT, "0.2");
    const std::string d = program.Text(IDC_D_VALUE);
    checks.Expect(d == "0.150000", "d = 3/4 bt under JC69", d);
    program.Command(IDC_SOLVE);
}

// The commands the main window answers without opening a window, as sent
// messages: a message returns once the program has handled it.
void TimeCommands(Checks& checks, RemoteProgram& program, const Setup&) {
    constexpr int kRounds = 8;  // even, so that alternating rounds end where they began
    bool answered = true;
    program.SelectItem(IDC_MODEL_COMBO, kHky85);
    PrintMedian("solve", kRounds, [&] {
        program.SetText(IDC_BETAT_EDIT, "0.1");
        return TimeMs([&] { answered &= program.Command(IDC_SOLVE); });
    });
    const std::pair<const char*, std::function<bool(bool)>> kAlternating[] = {
        {"model switch",
         [&](bool odd) { return program.SelectItem(IDC_MODEL_COMBO, odd ? kHky85 : kK80); }},
        {"criterion switch",
         [&](bool odd) {
             return program.Command(odd ? IDC_LIKELIHOOD : IDC_LEAST_SQUARES, BN_CLICKED);
         }},
        // The same switch through the button itself, which adds Wine's own click handling.
        {"criterion click",
         [&](bool odd) {
             return program.Send(odd ? IDC_LIKELIHOOD : IDC_LEAST_SQUARES, BM_CLICK).has_value();
         }},
        {"keystroke", [&](bool odd) { return program.SetText(IDC_KAPPA_EDIT, odd ? "2" : "3"); }},
        {"step button",
         [&](bool odd) { return program.Command(odd ? IDC_BETAT_DOWN : IDC_BETAT_UP); }},
        {"equal", [&](bool) { return program.Command(IDC_EQUAL); }},
        {"empirical", [&](bool) { return program.Command(IDC_EMPIRICAL); }},
        {"refresh", [&](bool) { return program.Command(IDC_REFRESH); }}};
    for (const auto& [what, send] : kAlternating) {
        int round = 0;
        PrintMedian(what, kRounds,
                    [&] { return TimeMs([&] { answered &= send(round++ % 2 == 1); }); });
    }
    checks.Group("timed commands");
    checks.Expect(answered, "every timed command answered");
    program.SelectItem(IDC_MODEL_COMBO, kJc69);
}

}  // namespace

const std::vector<Case> kMainWindowCases = {CheckControls, CheckSolveAndPictures, TimeCommands};

}  // namespace e2e
