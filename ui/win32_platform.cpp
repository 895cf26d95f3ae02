#include "ui/win32_platform.h"

#include "app/command_line_split.h"
#include "core/failure.h"
#include "ui/win32_error.h"
#include "ui/text_win.h"

namespace {

const wchar_t kInstanceMutexName[] = L"Local\\Nomichron.Instance";
const wchar_t kApplicationTitle[] = L"Nomichron";

} // namespace

ClockReading Win32Clock::ReadClock()
{
    SYSTEMTIME now{};
    GetLocalTime(&now);
    return ClockReading{now.wYear, now.wMonth, now.wDay, now.wHour, now.wMinute, now.wSecond};
}

std::wstring ExtendedLengthPath(const std::wstring& path)
{
    // Below this length every call takes the plain form (folders are limited
    // to MAX_PATH - 12); the prefix is only put before absolute paths, which
    // is what the file manager passes.
    constexpr std::size_t kPlainLimit = MAX_PATH - 12;
    const bool driveAbsolute = path.size() > 2 && path[1] == L':' && path[2] == L'\\';
    if (path.size() < kPlainLimit || path.starts_with(L"\\\\?\\"))
        return path;
    if (path.starts_with(L"\\\\"))
        return L"\\\\?\\UNC\\" + path.substr(2);
    return driveAbsolute ? L"\\\\?\\" + path : path;
}

void Win32FileSystem::RenameNoReplace(const std::u16string& from, const std::u16string& to)
{
    if (!MoveFileExW(ExtendedLengthPath(ToWide(from)).c_str(), ExtendedLengthPath(ToWide(to)).c_str(), 0))
        throw Failure(FailureCause::RenameRefused, GetLastError());
}

bool Win32Process::IsAnotherInstanceRunning()
{
    instanceMutex.reset(CreateMutexW(nullptr, FALSE, kInstanceMutexName));
    const DWORD error = GetLastError();
    if (!instanceMutex)
        throw Failure(FailureCause::PlatformCall, error);
    return error == ERROR_ALREADY_EXISTS;
}

std::u16string Win32Process::ArgumentString()
{
    const std::u16string commandLine = FromWide(GetCommandLineW());
    return ArgumentStringOf(commandLine);
}

void Win32Process::EndProgram()
{
    ExitProcess(0);
}

void Win32Messages::ShowMessage(const std::u16string& text, MessageIcon icon)
{
    const UINT style = MB_OK | (icon == MessageIcon::Exclamation ? MB_ICONEXCLAMATION : 0);
    if (MessageBoxW(owner, ToWide(text).c_str(), kApplicationTitle, style) == 0)
        ThrowLastError();
}
