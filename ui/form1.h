#pragma once

#include <windows.h>

#include <memory>

#include "app/platform.h"
#include "core/rename_fields.h"
#include "ui/drop_target.h"
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
    NamingScheme SelectedScheme() override;

private:
    static LRESULT CALLBACK Procedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
    LRESULT Handle(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
    void CreateControls(HINSTANCE instance);

    ScopedWindow window;
    RenameFields fields;
    std::unique_ptr<DropRegistration> picture1Drops;
};

// Runs the message loop until the window is closed; returns the exit code.
int RunMessageLoop(HWND dialogKeysWindow);
