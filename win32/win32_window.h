// The window system of the Win32 program: Dyvern's main window, built from
// its dialog template, seen through the portable WindowSystem interface.
#pragma once

#include <map>
#include <memory>
#include <optional>
#include <string>
#include <type_traits>

#include "system/window_system.h"

#ifndef NOMINMAX
#define NOMINMAX
#endif
#include <windows.h>

namespace dyvern {

// Full path of the module's file, however long.
std::string ModulePath(HINSTANCE instance);

class Win32Window : public WindowSystem {
public:
    // `aboutProc` runs the modal About box.
    Win32Window(HINSTANCE instance, HWND mainWindow, DLGPROC aboutProc);
    ~Win32Window() override;
    Win32Window(const Win32Window&) = delete;
    Win32Window& operator=(const Win32Window&) = delete;

    bool HasControl(int id) const override;
    std::string ControlText(int id) const override;
    void SetControlText(int id, const std::string& text) override;
    void EnableControl(int id, bool enabled) override;
    void EnableMenuItem(int id, bool enabled) override;
    void SetCheck(int id, bool checked) override;
    void SetTitle(const std::string& title) override;

    void InsertListItem(int id, int position, const std::string& text) override;
    void SelectListItem(int id, int position) override;
    int SelectedListItem(int id) const override;

    MessageAnswer ShowMessage(const std::string& text, const std::string& caption,
                              MessageStyle style) override;
    std::optional<std::string> AskForDataFile(const std::string& initialName) override;
    void ShowAbout() override;
    void RunDialog(const std::string& templateName, DialogLogic& logic) override;
    void OpenHelp(const std::string& helpFile) override;
    void StartProgram(const std::string& commandLine) override;
    std::string ProgramPath() const override;
    void Quit(int exitCode) override;

    bool MakeFont(FontRole role, const std::string& face, int pixelHeight) override;
    void ReleaseFont(FontRole role) override;
    void SetControlFont(int id, FontRole role) override;

    Size ClientSize(int id) const override;
    void Paint(int id, const Picture& picture, bool erase) override;

private:
    struct FontDeleter {
        void operator()(HFONT font) const { DeleteObject(font); }
    };
    using FontHandle = std::unique_ptr<std::remove_pointer_t<HFONT>, FontDeleter>;

    // A static control that shows a stored picture over its own painting.
    struct PictureControl {
        WNDPROC originalProc = nullptr;
        Picture picture;
    };

    HWND Control(int id) const;
    HFONT Font(FontRole role) const;
    PictureControl& AdoptPictureControl(HWND control);
    void RestorePictureControls();
    void DrawPicture(HWND control, const Picture& picture) const;
    void DrawShape(HDC dc, const Shape& shape) const;
    static LRESULT CALLBACK PictureControlProc(HWND control, UINT message, WPARAM wParam,
                                               LPARAM lParam);

    HINSTANCE instance;
    HWND hwndMain;
    DLGPROC aboutProc;
    std::map<FontRole, FontHandle> fonts;
    std::map<HWND, PictureControl> pictureControls;
};

}  // namespace dyvern
