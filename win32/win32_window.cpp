#include "win32_window.h"

#include <commdlg.h>

#include <array>
#include <cstdlib>
#include <vector>

namespace dyvern {
namespace {

// GetModuleFileNameA gives no length up front; grow until the path fits,
// but not past the longest path Windows knows.
constexpr DWORD kLongestPath = 32768;

// Filter pairs of the open-file dialog, ending in a double terminator.
constexpr char kDataFileFilter[] =
    "Data Files (*.DAT)\0*.dat\0"
    "Alignments (FASTA, PHYLIP, NEXUS)\0*.fasta;*.fas;*.fa;*.phy;*.nex;*.nxs;*.gz\0"
    "Text Files (*.TXT)\0*.txt\0"
    "All Files (*.*)\0*.*\0";

constexpr char kPictureOwnerProp[] = "DyvernPictureOwner";

COLORREF ColourOf(FillColour fill) {
    return fill == FillColour::Blue ? RGB(0, 0, 255) : GetSysColor(COLOR_BTNFACE);
}

RECT ToRect(const Rect& rect) { return RECT{rect.left, rect.top, rect.right, rect.bottom}; }

// Selects a GDI object into a device context for one scope.
class Selection {
public:
    Selection(HDC dc, HGDIOBJ object) : dc(dc), previous(SelectObject(dc, object)) {}
    ~Selection() { SelectObject(dc, previous); }
    Selection(const Selection&) = delete;
    Selection& operator=(const Selection&) = delete;

private:
    HDC dc;
    HGDIOBJ previous;
};

// A solid brush made for one drawing and deleted after it.
class SolidBrush {
public:
    explicit SolidBrush(COLORREF colour) : brush(CreateSolidBrush(colour)) {}
    ~SolidBrush() { DeleteObject(brush); }
    SolidBrush(const SolidBrush&) = delete;
    SolidBrush& operator=(const SolidBrush&) = delete;
    HBRUSH Handle() const { return brush; }

private:
    HBRUSH brush;
};

// A running dialog's controls for its logic.
class Win32DialogControls final : public DialogControls {
public:
    explicit Win32DialogControls(HWND dialog) : dialog(dialog) {}
    void InsertListItem(int id, int position, const std::string& text) override {
        SendDlgItemMessageA(dialog, id, LB_INSERTSTRING, static_cast<WPARAM>(position),
                            reinterpret_cast<LPARAM>(text.c_str()));
    }
    void SelectListItem(int id, int position) override {
        SendDlgItemMessageA(dialog, id, LB_SETCURSEL, static_cast<WPARAM>(position), 0);
    }
    int SelectedListItem(int id) const override {
        return static_cast<int>(SendDlgItemMessageA(dialog, id, LB_GETCURSEL, 0, 0));
    }
    void SetCheck(int id, bool checked) override {
        CheckDlgButton(dialog, id, checked ? BST_CHECKED : BST_UNCHECKED);
    }
    bool Checked(int id) const override { return IsDlgButtonChecked(dialog, id) == BST_CHECKED; }

private:
    HWND dialog;
};

// The logic rides in the dialog's user data from WM_INITDIALOG on.
INT_PTR CALLBACK LogicDialogProc(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == WM_INITDIALOG) {
        SetWindowLongPtrA(dialog, DWLP_USER, lParam);
        Win32DialogControls controls(dialog);
        reinterpret_cast<DialogLogic*>(lParam)->Start(controls);
        return TRUE;
    }
    auto* logic = reinterpret_cast<DialogLogic*>(GetWindowLongPtrA(dialog, DWLP_USER));
    if (message != WM_COMMAND || logic == nullptr) return FALSE;
    Win32DialogControls controls(dialog);
    if (logic->Command(controls, LOWORD(wParam))) EndDialog(dialog, 0);
    return TRUE;
}

}  // namespace

std::string ModulePath(HINSTANCE instance) {
    std::vector<char> buffer(MAX_PATH);
    while (buffer.size() <= kLongestPath) {
        const DWORD size = static_cast<DWORD>(buffer.size());
        const DWORD length = GetModuleFileNameA(instance, buffer.data(), size);
        if (length == 0) {
            return {};
        }
        if (length < size) {
            return std::string(buffer.data(), length);
        }
        buffer.resize(buffer.size() * 2);  // truncated: try a larger buffer
    }
    return {};
}

Win32Window::Win32Window(HINSTANCE instance, HWND mainWindow, DLGPROC aboutProc)
    : instance(instance), hwndMain(mainWindow), aboutProc(aboutProc) {}

Win32Window::~Win32Window() { RestorePictureControls(); }

HWND Win32Window::Control(int id) const { return GetDlgItem(hwndMain, id); }

bool Win32Window::HasControl(int id) const { return Control(id) != nullptr; }

std::string Win32Window::ControlText(int id) const {
    const HWND control = Control(id);
    std::string text(static_cast<size_t>(GetWindowTextLengthA(control)) + 1, '\0');
    const int copied = GetWindowTextA(control, text.data(), static_cast<int>(text.size()));
    text.resize(static_cast<size_t>(copied > 0 ? copied : 0));
    return text;
}

void Win32Window::SetControlText(int id, const std::string& text) {
    // An edit control raises EN_UPDATE to the main window before this returns.
    SetWindowTextA(Control(id), text.c_str());
}

void Win32Window::EnableControl(int id, bool enabled) {
    EnableWindow(Control(id), enabled ? TRUE : FALSE);
}

void Win32Window::EnableMenuItem(int id, bool enabled) {
    const HMENU menu = GetMenu(hwndMain);
    ::EnableMenuItem(menu, static_cast<UINT>(id),
                     MF_BYCOMMAND | (enabled ? MF_ENABLED : MF_GRAYED));
    // A popup's items are drawn when it opens; only an item of the bar itself
    // needs the bar redrawn, and redrawing it costs a frame's worth under Wine.
    for (int position = 0; position < GetMenuItemCount(menu); ++position) {
        if (GetMenuItemID(menu, position) == static_cast<UINT>(id)) {
            DrawMenuBar(hwndMain);
            return;
        }
    }
}

void Win32Window::SetCheck(int id, bool checked) {
    SendDlgItemMessageA(hwndMain, id, BM_SETCHECK, checked ? BST_CHECKED : BST_UNCHECKED, 0);
}

void Win32Window::SetTitle(const std::string& title) { SetWindowTextA(hwndMain, title.c_str()); }

void Win32Window::InsertListItem(int id, int position, const std::string& text) {
    SendDlgItemMessageA(hwndMain, id, CB_INSERTSTRING, static_cast<WPARAM>(position),
                        reinterpret_cast<LPARAM>(text.c_str()));
}

void Win32Window::SelectListItem(int id, int position) {
    SendDlgItemMessageA(hwndMain, id, CB_SETCURSEL, static_cast<WPARAM>(position), 0);
}

int Win32Window::SelectedListItem(int id) const {
    return static_cast<int>(SendDlgItemMessageA(hwndMain, id, CB_GETCURSEL, 0, 0));
}

MessageAnswer Win32Window::ShowMessage(const std::string& text, const std::string& caption,
                                       MessageStyle style) {
    const UINT buttons = style == MessageStyle::Question ? MB_YESNO | MB_ICONQUESTION : MB_OK;
    switch (MessageBoxA(hwndMain, text.c_str(), caption.c_str(), buttons)) {
        case IDYES:
            return MessageAnswer::Yes;
        case IDNO:
            return MessageAnswer::No;
        default:
            return MessageAnswer::Ok;
    }
}

std::optional<std::string> Win32Window::AskForDataFile(const std::string& initialName) {
    std::array<char, MAX_PATH> path{};
    initialName.copy(path.data(), path.size() - 1);

    OPENFILENAMEA dialog{};
    dialog.lStructSize = sizeof dialog;
    dialog.hwndOwner = hwndMain;
    dialog.lpstrFilter = kDataFileFilter;
    dialog.nFilterIndex = 1;
    dialog.lpstrFile = path.data();
    dialog.nMaxFile = static_cast<DWORD>(path.size());
    dialog.lpstrDefExt = "txt";
    // Not OFN_NOCHANGEDIR: the current directory follows the user.
    dialog.Flags = OFN_CREATEPROMPT | OFN_HIDEREADONLY;
    if (!GetOpenFileNameA(&dialog)) {
        return std::nullopt;
    }
    return std::string(path.data());
}

void Win32Window::ShowAbout() { DialogBoxParamA(instance, "AboutDyvern", hwndMain, aboutProc, 0); }

void Win32Window::RunDialog(const std::string& templateName, DialogLogic& logic) {
    DialogBoxParamA(instance, templateName.c_str(), hwndMain, LogicDialogProc,
                    reinterpret_cast<LPARAM>(&logic));
}

void Win32Window::OpenHelp(const std::string& helpFile) {
    WinHelpA(hwndMain, helpFile.c_str(), HELP_CONTENTS, 0);
}

void Win32Window::StartProgram(const std::string& commandLine) {
    WinExec(commandLine.c_str(), SW_SHOWNORMAL);
}

std::string Win32Window::ProgramPath() const { return ModulePath(instance); }

void Win32Window::Quit(int exitCode) { PostQuitMessage(exitCode); }

bool Win32Window::MakeFont(FontRole role, const std::string& face, int pixelHeight) {
    // Symbol maps Latin letters to Greek only when asked for by its own charset.
    const DWORD charset = role == FontRole::Symbol ? SYMBOL_CHARSET : 0;
    // A negative height asks for the character height, not the cell height.
    FontHandle font(CreateFontA(-std::abs(pixelHeight), 0, 0, 0, 0, 0, 0, 0, charset, 0, 0, 0, 0,
                                face.c_str()));
    const bool created = font != nullptr;
    fonts[role] = std::move(font);
    return created;
}

void Win32Window::ReleaseFont(FontRole role) { fonts.erase(role); }

HFONT Win32Window::Font(FontRole role) const {
    const auto found = fonts.find(role);
    return found == fonts.end() ? nullptr : found->second.get();
}

void Win32Window::SetControlFont(int id, FontRole role) {
    SendDlgItemMessageA(hwndMain, id, WM_SETFONT, reinterpret_cast<WPARAM>(Font(role)), FALSE);
}

Size Win32Window::ClientSize(int id) const {
    RECT client{};
    GetClientRect(Control(id), &client);
    return Size{client.right - client.left, client.bottom - client.top};
}

void Win32Window::Paint(int id, const Picture& picture, bool erase) {
    const HWND control = Control(id);
    if (control == nullptr) {
        return;
    }
    AdoptPictureControl(control).picture = picture;
    // The control's own WM_PAINT (subclassed) draws the stored picture.
    InvalidateRect(control, nullptr, erase ? TRUE : FALSE);
    UpdateWindow(control);
}

Win32Window::PictureControl& Win32Window::AdoptPictureControl(HWND control) {
    const auto found = pictureControls.find(control);
    if (found != pictureControls.end()) {
        return found->second;
    }
    PictureControl& adopted = pictureControls[control];
    SetPropA(control, kPictureOwnerProp, this);
    adopted.originalProc = reinterpret_cast<WNDPROC>(SetWindowLongPtrA(
        control, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(&Win32Window::PictureControlProc)));
    return adopted;
}

void Win32Window::RestorePictureControls() {
    for (const auto& [control, adopted] : pictureControls) {
        if (IsWindow(control)) {
            SetWindowLongPtrA(control, GWLP_WNDPROC,
                              reinterpret_cast<LONG_PTR>(adopted.originalProc));
            RemovePropA(control, kPictureOwnerProp);
        }
    }
    pictureControls.clear();
}

// Lets the static paint itself (background, edge), then draws the stored
// picture over it, so a covered and uncovered control shows it again.
LRESULT CALLBACK Win32Window::PictureControlProc(HWND control, UINT message, WPARAM wParam,
                                                 LPARAM lParam) {
    const auto* owner = static_cast<const Win32Window*>(GetPropA(control, kPictureOwnerProp));
    if (owner == nullptr) {
        return DefWindowProcA(control, message, wParam, lParam);
    }
    const auto found = owner->pictureControls.find(control);
    const LRESULT result =
        CallWindowProcA(found->second.originalProc, control, message, wParam, lParam);
    if (message == WM_PAINT) {
        owner->DrawPicture(control, found->second.picture);
    }
    return result;
}

void Win32Window::DrawPicture(HWND control, const Picture& picture) const {
    const HDC dc = GetDC(control);
    for (const Shape& shape : picture) {
        DrawShape(dc, shape);
    }
    ReleaseDC(control, dc);
}

void Win32Window::DrawShape(HDC dc, const Shape& shape) const {
    RECT rect = ToRect(shape.rect);
    switch (shape.kind) {
        case Shape::Kind::FilledBox: {
            // Outlined by the context's default pen: one black pixel.
            const SolidBrush brush(ColourOf(shape.fill));
            const Selection selected(dc, brush.Handle());
            Rectangle(dc, rect.left, rect.top, rect.right, rect.bottom);
            break;
        }
        case Shape::Kind::Frame:
            FrameRect(dc, &rect, static_cast<HBRUSH>(GetStockObject(BLACK_BRUSH)));
            break;
        case Shape::Kind::Text: {
            SetBkMode(dc, TRANSPARENT);
            const Selection selected(dc, Font(shape.font));
            // Not single-line: DT_VCENTER then leaves the text at the top.
            DrawTextA(dc, shape.text.c_str(), -1, &rect, DT_CENTER | DT_VCENTER);
            break;
        }
    }
}

}  // namespace dyvern
