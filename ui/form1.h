#pragma once

#include <windows.h>

#include <memory>

#include "app/platform.h"
#include "core/rename_fields.h"
#include "ui/drop_target.h"
#include "ui/form_fonts.h"
#include "ui/scoped_win.h"

// The main window: created hidden with its controls, shown or closed by the
// entry handlers. Closing it ends the message loop, and with it the program.
class Form1 : public MainWindow {
public:
    static constexpr wchar_t kClassName[] = L"NomichronForm1";

    explicit Form1(HINSTANCE instance);
    ~Form1() override;

    HWND Handle() const { return window.get(); }

    // Makes Picture1 a drop target that runs the handler for every drop.
    void AcceptDropsOnPicture1(DropTarget::Handler handler);

    void Show() override;
    void Close() override;
    RenameFields& Fields() override { return fields; }
    void ShowFields() override;
    NamingScheme SelectedScheme() override;

private:
    static LRESULT CALLBACK Procedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
    LRESULT Handle(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
    void CreateControls();
    // Lays out controls, fonts and icons for a DPI; the window's own size is the caller's.
    void ApplyDpi(UINT newDpi);
    void PaintFrames(HDC dc) const;
    LRESULT ColourStatic(HDC dc, HWND control) const;
    void KeepTabStopOnSelectedOption();

    HINSTANCE instance;
    RenameFields fields;
    std::unique_ptr<DropRegistration> picture1Drops;
    UINT dpi = 0;
    std::unique_ptr<FormFonts> fonts;
    ScopedIcon icon;      // Picture1's, Image1's and the window's
    ScopedIcon smallIcon; // the caption bar's
    HWND focusBeforeDeactivation = nullptr;
    // Last, so that it goes first: the window's messages may use every other member.
    ScopedWindow window;
};

// Runs the message loop until the window is closed; returns the exit code.
int RunMessageLoop(HWND dialogKeysWindow);
