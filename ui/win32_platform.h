#pragma once

#include <windows.h>

#include "app/platform.h"
#include "core/clock.h"
#include "core/file_system.h"
#include "ui/scoped_win.h"

class Win32Clock : public Clock {
public:
    ClockReading ReadClock() override;
};

// MoveFileExW without MOVEFILE_REPLACE_EXISTING or MOVEFILE_COPY_ALLOWED: the
// file system itself refuses an existing target, and nothing is ever copied.
class Win32FileSystem : public FileSystem {
public:
    void RenameNoReplace(const std::u16string& from, const std::u16string& to) override;
};

class Win32Process : public Process {
public:
    bool IsAnotherInstanceRunning() override;
    CommandLinePaths Arguments() override;
    void EndProgram() override;

private:
    // Held for the life of the process: while it exists, later starts see it.
    ScopedHandle instanceMutex;
};

// A path the long-path-unaware Win32 calls accept at any length: paths of
// 248 or more code units are made full and get the \\?\ (or \\?\UNC\) prefix.
std::wstring ExtendedLengthPath(const std::wstring& path);
