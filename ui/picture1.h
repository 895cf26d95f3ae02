#pragma once

#include <windows.h>
#include <shobjidl.h>

#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "app/platform.h"
#include "core/naming_schemes.h"
#include "ui/com_ptr.h"
#include "ui/drop_target.h"

// Picture1, the icon at the window's lower right that takes files: dropped on
// it, or chosen in the Open dialog when it is pressed. It runs one batch at a
// time through the drop handler. A drop lets go of the program it came from
// at once and its batch starts from the window's own queue; between files
// the window answers what is sent to it and other programs' COM calls, and
// repaints, while input and the messages posted to it wait for the batch's
// end, and the taskbar button shows how far the batch has got.
class Picture1 {
public:
    using Handler = std::function<void(DropData&)>;
    // Posted to the form by a drop that was taken; its batch starts there.
    static constexpr UINT kRenameDropped = WM_APP + 1;

    // Gives the control its object for screen readers and its tooltip.
    Picture1(HWND form, HWND control, HINSTANCE instance);
    ~Picture1();
    Picture1(const Picture1&) = delete;
    Picture1& operator=(const Picture1&) = delete;

    // From now on, files dropped or chosen are renamed by the handler, with
    // the scheme selectedOption reads when they come.
    void AcceptFiles(Handler handler, std::function<NamingScheme()> selectedOption);
    // A click, Space or Enter, or a screen reader's press: the Open dialog.
    void Press();
    // kRenameDropped: the batch of the drop taken last, if any.
    void RenameDropped();
    // The scheme of the batch under way, fixed when its files came.
    std::optional<NamingScheme> BatchScheme() const { return batchScheme; }
    // A close asked for while a batch, the dialog or a message is up waits
    // for its end: true when this one must.
    bool HoldClose();
    // The window is going: no drop, press or handler starts any more.
    void Closing();

    // Whether a batch is renaming: the session's end waits for it.
    bool BatchUnderWay() const { return sessionHold.has_value(); }
    // Windows ends the session all the same: the batch stops after its file,
    // and no batch starts from then on.
    void SessionEnding() { sessionEnding = true; }
    // False when the batch must stop here.
    bool FileDone(long long done, long long total);
    // The batch failed: its message is about to show.
    void ShowFailed();
    // The batch is over, and a message about to show: the session may end.
    void BatchEnded() { sessionHold.reset(); }

private:
    class Busy;
    // Tells Windows why the session's end must wait, from the batch's first
    // file to its end or its message.
    class SessionHold {
    public:
        explicit SessionHold(HWND form);
        ~SessionHold();
        SessionHold(const SessionHold&) = delete;
        SessionHold& operator=(const SessionHold&) = delete;

    private:
        HWND form;
        bool reasonGiven;
    };

    // No handler runs, and none may start: the window is neither closing nor ending with the session.
    bool Free() const { return !handlerRunning && !closing && !sessionEnding; }
    bool TakeDrop(std::vector<std::u16string> paths);
    void RunAlone(const std::function<void()>& batch);
    void RunBatch(DropData& files);
    ITaskbarList3* Taskbar();
    void ClearTaskbar();

    HWND form;
    HWND control;
    Handler handler;
    std::function<NamingScheme()> selectedOption;
    // A batch is under way, or the Open dialog or a message is up: another
    // drop or press waits for none.
    bool handlerRunning = false;
    bool closeAsked = false; // while a handler ran
    bool closing = false;
    bool sessionEnding = false;
    std::optional<SessionHold> sessionHold;
    std::optional<std::vector<std::u16string>> dropped; // taken, its batch not yet started
    std::optional<NamingScheme> batchScheme;
    ComPtr<ITaskbarList3> taskbar;
    bool taskbarAsked = false;
    int shownStep = -1; // of the progress on the taskbar button; -1 while it shows none
    HWND comCalls = nullptr;
    std::unique_ptr<DropRegistration> drops;
};

// Picture1 as the form draws it: the icon on the background (black but in a
// contrast theme), with a dotted focus rectangle around it while it has the
// focus and the keyboard cues show. False when a step failed and the rest was
// skipped.
bool DrawPicture1(const DRAWITEMSTRUCT& item, HBRUSH background, COLORREF focus);
