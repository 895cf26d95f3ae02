#include "ui/win32_platform.h"

#include "app/command_line_split.h"
#include "core/failure.h"
#include "ui/text_win.h"
#include "ui/win32_error.h"

namespace {

const wchar_t kInstanceMutexName[] = L"Local\\Nomichron.Instance";

} // namespace

ClockReading Win32Clock::ReadClock()
{
    SYSTEMTIME now{};
    GetLocalTime(&now);
    return ClockReading{now.wYear, now.wMonth, now.wDay, now.wHour, now.wMinute, now.wSecond};
}

namespace {

std::wstring FullPathName(const std::wstring& path)
{
    const DWORD needed = GetFullPathNameW(path.c_str(), 0, nullptr, nullptr);
    if (needed == 0)
        ThrowLastError("GetFullPathNameW");
    std::wstring full(needed, L'\0');
    const DWORD written = GetFullPathNameW(path.c_str(), needed, full.data(), nullptr);
    if (written == 0 || written >= needed)
        ThrowLastError("GetFullPathNameW");
    full.resize(written);
    return full;
}

} // namespace

std::wstring ExtendedLengthPath(const std::wstring& path)
{
    // Below this length every call takes the plain form (folders are limited
    // to MAX_PATH - 12).
    constexpr std::size_t kPlainLimit = MAX_PATH - 12;
    if (path.size() < kPlainLimit || path.starts_with(L"\\\\?\\") || path.starts_with(L"\\\\.\\"))
        return path;
    // The prefix also turns off Win32's reading of the path ("/" as a
    // separator, ".." segments): read it as Win32 would first, so that a long
    // path names the same file as a short one.
    const std::wstring full = FullPathName(path);
    if (full.starts_with(L"\\\\"))
        return L"\\\\?\\UNC\\" + full.substr(2);
    return L"\\\\?\\" + full;
}

void Win32FileSystem::RenameNoReplace(const std::u16string& from, const std::u16string& to)
{
    if (!MoveFileExW(ExtendedLengthPath(ToWide(from)).c_str(), ExtendedLengthPath(ToWide(to)).c_str(), 0))
        throw Failure(FailureCause::RenameRefused, GetLastError(), "MoveFileExW");
}

bool Win32Process::IsAnotherInstanceRunning()
{
    instanceMutex.reset(CreateMutexW(nullptr, FALSE, kInstanceMutexName));
    const DWORD error = GetLastError();
    if (!instanceMutex)
        throw Failure(FailureCause::PlatformCall, error, "CreateMutexW");
    return error == ERROR_ALREADY_EXISTS;
}

CommandLinePaths Win32Process::Arguments()
{
    return ReadCommandLinePaths(FromWide(GetCommandLineW()));
}

void Win32Process::EndProgram()
{
    ExitProcess(0);
}
