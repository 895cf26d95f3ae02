#pragma once

#include <deque>
#include <map>
#include <string>
#include <vector>

#include "app/platform.h"
#include "core/clock.h"
#include "core/failure.h"
#include "core/file_system.h"

// Answers with the scripted readings, then keeps giving the last one; each
// reading is a "t" in the log, when there is one.
struct FakeClock : Clock {
    explicit FakeClock(ClockReading reading) : readings{reading} {}
    ClockReading ReadClock() override
    {
        if (log != nullptr)
            *log += 't';
        const ClockReading next = readings.front();
        if (readings.size() > 1)
            readings.pop_front();
        return next;
    }
    std::deque<ClockReading> readings;
    std::string* log = nullptr;
};

// Files by path; a rename is refused as Windows refuses it: no source (2), a taken target (183).
struct FakeFileSystem : FileSystem {
    void RenameNoReplace(const std::u16string& from, const std::u16string& to) override
    {
        if (!files.count(from) || files.count(to))
            throw Failure(FailureCause::RenameRefused, files.count(from) ? 183 : 2);
        files[to] = files[from], files.erase(from);
        renames.emplace_back(from, to);
    }
    std::map<std::u16string, std::string> files;
    std::vector<std::pair<std::u16string, std::u16string>> renames;
};

// Form1, its message boxes and its batch progress; Text1 to Text10 hold what
// ShowFields last wrote, and the log what the batch showed, in order.
struct FakeWindow : MainWindow, Messages, BatchProgress {
    void Show() override { ++shown; }
    void Close() override { ++closed; }
    RenameFields& Fields() override { return fields; }
    void ShowFields() override { boxes = fields; }
    NamingScheme SelectedScheme() override { return ++schemeReads, scheme; }
    void ShowMessage(const std::u16string& text, MessageIcon icon) override
    {
        messages.emplace_back(text, icon), log += "[message]";
    }
    bool FileDone(long long done, long long total) override
    {
        log += '[' + std::to_string(done) + '/' + std::to_string(total) + ']';
        return done != sessionEndsAfter;
    }
    void ShowFailed() override { log += "[failed]"; }
    RenameFields fields{u"Text1", u"Text2", u"Text3", u"Text4", u"Text5",
                        u"Text6", u"Text7", u"Text8", u"Text9", u"Text10"};
    RenameFields boxes = fields;
    NamingScheme scheme = NamingScheme::Compact;
    int schemeReads = 0, shown = 0, closed = 0;
    long long sessionEndsAfter = 0; // the file after which the user's session ends, if any
    std::vector<std::pair<std::u16string, MessageIcon>> messages;
    std::string log;
};

struct FakeDropData : DropData {
    bool HasFileList() override { return hasFileList; }
    long long FileCount() override { return static_cast<long long>(paths.size()); }
    std::u16string PathAt(Int16 position) override { return paths.at(position - 1); }
    std::vector<std::u16string> paths;
    bool hasFileList = true;
};

struct FakeProcess : Process {
    bool IsAnotherInstanceRunning() override { return false; }
    CommandLinePaths Arguments() override { return arguments; }
    void EndProgram() override {}
    CommandLinePaths arguments;
};
