#pragma once

#include <windows.h>

#include "app/platform.h"
#include "core/rename_fields.h"
#include "ui/scoped_win.h"

// The main window: created hidden, shown or closed by the start-up logic.
// Closing it ends the message loop, and with it the program.
class Form1 : public MainWindow {
public:
    static constexpr wchar_t kClassName[] = L"NomichronForm1";

    explicit Form1(HINSTANCE instance);

    HWND Handle() const { return window.get(); }

    void Show() override;
    void Close() override;
    RenameFields& Fields() override { return fields; }

private:
    ScopedWindow window;
    RenameFields fields;
};

// Runs the message loop until the window is closed; returns the exit code.
int RunMessageLoop();
