#pragma once

#include <windows.h>

#include <functional>
#include <memory>

#include "core/naming_schemes.h"
#include "core/rename_fields.h"
#include "ui/drop_target.h"
#include "ui/form_fonts.h"
#include "ui/scoped_win.h"

// The main window: created hidden with its controls, shown or closed by the
// entry handlers. Closing it ends the message loop, and with it the program.
class Form1 {
public:
    static constexpr wchar_t kClassName[] = L"NomichronForm1";

    explicit Form1(HINSTANCE instance);
    ~Form1();
    Form1(const Form1&) = delete;
    Form1& operator=(const Form1&) = delete;

    HWND Handle() const { return window.get(); }

    // Runs the handler for every file list dropped on Picture1, and for the
    // files chosen in the Open dialog when Picture1 is pressed: one at a time.
    void AcceptFilesOnPicture1(DropTarget::Handler handler);

    void Show();
    // Posted, so that a drop handler's close returns from the drop first.
    // While a handler runs, the window closes only once it has returned.
    void Close();
    // Writes the record into the boxes Text1 to Text10.
    void ShowFields(const RenameFields& fields);
    NamingScheme SelectedScheme();

private:
    static LRESULT CALLBACK Procedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
    LRESULT Handle(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
    void CreateControls();
    // Gives the controls fonts, icons and places for a DPI; the window's own size is the caller's.
    void ApplyDpi(UINT newDpi);
    bool PaintFrames(HDC dc) const; // false when a step failed and the rest was skipped
    void RepaintLater();
    void PressPicture1();
    void RunAlone(const std::function<void()>& handler);
    LRESULT ColourStatic(HDC dc, HWND control) const;
    void KeepTabStopOnSelectedOption();

    static constexpr UINT_PTR kRepaintTimer = 1;
    static constexpr UINT kRepaintDelay = 250; // ms

    HINSTANCE instance;
    DropTarget::Handler picture1Files;
    // A drop or a press of Picture1 is being handled: the Open dialog or a
    // message is up, or files are being renamed. Another waits for none.
    bool handlerRunning = false;
    bool closeAsked = false; // while a handler ran
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
