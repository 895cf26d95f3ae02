#pragma once

#include <deque>
#include <map>
#include <string>
#include <utility>
#include <vector>

#include "app/platform.h"
#include "core/clock.h"
#include "core/file_system.h"
#include "core/rename_fields.h"

// A clock that answers with scripted readings, then keeps giving the last one.
class FakeClock : public Clock {
public:
    explicit FakeClock(ClockReading reading) : readings{reading} {}
    ClockReading ReadClock() override;

    std::deque<ClockReading> readings;
    int readCount = 0;
};

// Paths compare case-insensitively, as Windows names do (ASCII letters here).
struct CaseInsensitiveLess {
    bool operator()(const std::u16string& a, const std::u16string& b) const;
};

// An in-memory tree of files and folders that refuses renames as Windows does:
// target exists (183), source missing (2), target folder missing (3). Renaming
// a folder does not carry its content along.
class FakeFileSystem : public FileSystem {
public:
    // Adds the file, and every folder above it, with the given content.
    void AddFile(const std::u16string& path, const std::string& content = "content");
    void AddFolder(const std::u16string& path);
    bool Exists(const std::u16string& path) const;
    std::string ContentOf(const std::u16string& path) const;

    void RenameNoReplace(const std::u16string& from, const std::u16string& to) override;

    std::map<std::u16string, std::string, CaseInsensitiveLess> entries; // folders hold ""
    std::vector<std::pair<std::u16string, std::u16string>> renames;
};

class FakeWindow : public MainWindow {
public:
    FakeWindow();
    void Show() override { ++showCount; }
    void Close() override { ++closeCount; }
    RenameFields& Fields() override { return fields; }
    void ShowFields() override { boxes = fields; }
    NamingScheme SelectedScheme() override;

    RenameFields fields;
    RenameFields boxes; // Text1 to Text10 as ShowFields left them
    // The scheme each file reads; the last one stays.
    std::deque<NamingScheme> schemes{NamingScheme::Compact};
    int schemeReads = 0;
    int showCount = 0;
    int closeCount = 0;
};

// A file list of n paths, or data without one.
class FakeDropData : public DropData {
public:
    explicit FakeDropData(std::vector<std::u16string> paths, bool hasFileList = true)
        : paths(std::move(paths)), hasFileList(hasFileList) {}
    bool HasFileList() override { return hasFileList; }
    long long FileCount() override { return static_cast<long long>(paths.size()); }
    std::u16string PathAt(Int16 position) override;

    std::vector<std::u16string> paths;
    bool hasFileList;
    Int16 unreadablePosition = 0; // reading this path fails
};

struct ShownMessage {
    std::u16string text;
    MessageIcon icon;
};

class FakeMessages : public Messages {
public:
    void ShowMessage(const std::u16string& text, MessageIcon icon) override { shown.push_back({text, icon}); }
    std::vector<ShownMessage> shown;
};

class FakeProcess : public Process {
public:
    bool IsAnotherInstanceRunning() override { return anotherInstance; }
    std::u16string ArgumentString() override { return arguments; }
    void EndProgram() override { ++endCount; }

    bool anotherInstance = false;
    std::u16string arguments;
    int endCount = 0;
};

// 31 January 2005, 01:01:01.
ClockReading Reading(int year = 2005, int month = 1, int day = 31, int hour = 1, int minute = 1, int second = 1);
