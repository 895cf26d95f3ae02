#pragma once

#include <windows.h>

#include <functional>
#include <memory>
#include <optional>
#include <utility>
#include <vector>

#include "app/form_colours.h"
#include "core/naming_schemes.h"
#include "core/rename_fields.h"
#include "ui/form_fonts.h"
#include "ui/picture1.h"
#include "ui/posted_message_filter.h"
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
    void AcceptFilesOnPicture1(Picture1::Handler handler);
    // Picture1 and its batches, while the window lives.
    Picture1& Picture() { return *picture1; }

    void Show();
    // Posted, so that the handler that closes the window returns first; from
    // then on no drop is taken.
    void Close();
    // Writes the record into the boxes Text1 to Text10.
    void ShowFields(const RenameFields& fields);
    // The record holds the file just renamed: the boxes show it to whoever
    // reads them next. Between the files of a batch, where others may ask,
    // this costs nothing; writing ten boxes for each file would cost more
    // than the renames.
    void FieldsChanged(const RenameFields& fields) { unshownFields = &fields; }
    // The scheme of the batch under way, else that of the selected option.
    NamingScheme SelectedScheme();

private:
    static LRESULT CALLBACK Procedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
    static LRESULT CALLBACK ControlProcedure(HWND control, UINT message, WPARAM wParam, LPARAM lParam, UINT_PTR id,
                                             DWORD_PTR form);
    LRESULT Handle(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
    void CreateControls();
    // Gives the controls fonts, icons and places for a DPI; the window's own size is the caller's.
    void ApplyDpi(UINT newDpi);
    // The window moved to a monitor of another DPI, or the DPI changed.
    void FollowDpi(HWND window, LPARAM suggested);
    // A box of Text1 to Text10 is read: its text, or only its length.
    void BoxRead(HWND box, bool text);
    // Closes now, or once the handler under way has ended.
    void CloseWhenFree(HWND window);
    bool PaintFrames(HDC dc); // false when a step failed and the rest was skipped
    void RepaintLater();
    NamingScheme OptionScheme();
    LRESULT ColourStatic(HDC dc, HWND control);
    HBRUSH BrushOf(HDC dc, Colour colour);
    // After a change of scheme or contrast theme: the new colours, at once.
    void FollowColours(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
    void KeepTabStopOnSelectedOption();

    static constexpr UINT_PTR kRepaintTimer = 1;
    static constexpr UINT kRepaintDelay = 250; // ms

    HINSTANCE instance;
    std::unique_ptr<Picture1> picture1;
    UINT dpi = 0;
    std::unique_ptr<FormFonts> fonts;
    ScopedIcon icon;      // Picture1's, Image1's and the window's
    ScopedIcon smallIcon; // the caption bar's
    HWND focusBeforeDeactivation = nullptr;
    const RenameFields* unshownFields = nullptr; // newer than what the boxes hold
    // Whoever reads the ten boxes one by one while a batch goes on reads one
    // file: a read shows the newest record only at the start of a round of
    // reads, which a box read twice begins anew.
    bool roundStarted = false;
    unsigned boxTextsRead = 0; // one bit per box, this round
    bool destroying = false;   // by the window's own DestroyWindow: no other destruction counts
    FormColours colours;       // of the scheme or contrast theme in force
    std::vector<std::pair<Colour, ScopedBrush>> brushes; // made from the colours, as they are first needed
    // Last, so that they go first: the window's messages may use every other member.
    ScopedWindow window;
    std::optional<PostedMessageFilter> postedFilter;
};

// Runs the message loop until the window is closed; returns the exit code.
int RunMessageLoop(HWND dialogKeysWindow);
