#pragma once

#include <string>
#include <vector>

#include "core/naming_schemes.h"

enum class MessageIcon { None, Exclamation };

// A modal box with one OK button, captioned with the application title;
// returns when the user has closed it.
class Messages {
public:
    virtual ~Messages() = default;
    virtual void ShowMessage(const std::u16string& text, MessageIcon icon) = 0;
};

// The main window Form1 as the entry handlers see it.
class MainWindow {
public:
    virtual ~MainWindow() = default;
    virtual void Show() = 0;
    // Unloads the window; it is the only one, so the program then ends.
    virtual void Close() = 0;
    // The one RenameFields record, owned by the window for the whole run.
    virtual RenameFields& Fields() = 0;
    // Writes the record into the boxes Text1 to Text10; the handlers call it
    // before the window takes input again (a message, the end of a batch).
    virtual void ShowFields() = 0;
    // The scheme of the selected option button; exactly one is selected.
    virtual NamingScheme SelectedScheme() = 0;
};

// What the window shows of a batch while it runs. Each file's end is also a
// point where the window answers what the system and other programs send it
// and repaints, so that it never looks hung and the program the files came
// from is never held; input and posted messages wait for the batch's end.
class BatchProgress {
public:
    virtual ~BatchProgress() = default;
    // `done` files of `total` are renamed, and the next has not been stamped.
    // False when the batch must stop here: the user's session is ending.
    virtual bool FileDone(long long done, long long total) = 0;
    // The batch failed: its message is about to show.
    virtual void ShowFailed() = 0;
};

// The data of one drop, as the drop handler reads it.
class DropData {
public:
    virtual ~DropData() = default;
    // Whether the data carries a list of file-system paths (clipboard format 15).
    virtual bool HasFileList() = 0;
    virtual long long FileCount() = 0;
    // The full path at a 1-based position of the list.
    virtual std::u16string PathAt(Int16 position) = 0;
};

// The command line as the start-up reads it: the paths it names, in order.
struct CommandLinePaths {
    std::vector<std::u16string> paths;
    // The paths stop before an argument that names no file whole: that
    // argument is refused, after the files before it are renamed.
    bool stopsAtRefused = false;
};

class Process {
public:
    virtual ~Process() = default;
    virtual bool IsAnotherInstanceRunning() = 0;
    virtual CommandLinePaths Arguments() = 0;
    virtual void EndProgram() = 0;
};
