#pragma once

#include <windows.h>
#include <ole2.h>

#include <memory>
#include <optional>

#include "app/platform.h"
#include "ui/drop_target.h"
#include "ui/form1.h"

// OLE drag and drop on this, the GUI thread, while it lives.
class OleSession {
public:
    OleSession();
    ~OleSession() { OleUninitialize(); }
    OleSession(const OleSession&) = delete;
    OleSession& operator=(const OleSession&) = delete;
};

// Form1 as the entry handlers see it, with its record and its message boxes,
// built when first needed: Explorer mode renames before any window, font,
// OLE or common-controls work, and loads no UI library unless the window is
// shown or a message must appear.
class Form1OnDemand : public MainWindow, public Messages, public BatchProgress {
public:
    explicit Form1OnDemand(HINSTANCE instance) : instance(instance) {}
    Form1OnDemand(const Form1OnDemand&) = delete;
    Form1OnDemand& operator=(const Form1OnDemand&) = delete;

    // The handler of every drop on Picture1, once the window is shown.
    void AcceptDrops(Picture1::Handler handler) { onDrop = std::move(handler); }

    // Builds Form1 with Picture1 taking drops, and shows it.
    void Show() override;
    void Close() override;
    RenameFields& Fields() override { return fields; }
    void ShowFields() override;
    NamingScheme SelectedScheme() override;
    // Owned by Form1, built hidden if need be: as modal as before, and with
    // the boxes holding the record while the message is up.
    void ShowMessage(const std::u16string& text, MessageIcon icon) override;

    // A batch of the window: Picture1 shows it.
    bool FileDone(long long done, long long total) override;
    void ShowFailed() override;

    // Runs the message loop while the window is shown; returns the exit code.
    int Run();

private:
    Form1& Built();

    HINSTANCE instance;
    Picture1::Handler onDrop;
    RenameFields fields;
    bool fieldsWritten = false;
    bool shown = false;
    std::optional<OleSession> ole; // from the window's first showing
    // Last, so that the window goes before OLE does.
    std::unique_ptr<Form1> form;
};
