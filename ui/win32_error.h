#pragma once

#include <windows.h>

#include "core/failure.h"

// Every checked platform call is one of two kinds, and its failure means
// something different:
// - essential: what showing the window, taking drops and renaming depend on
//   (the class, the window and its controls, the drop registration, the
//   rename). Its failure is the project's failure, which ends the program
//   unless an entry handler handles it.
// - decorative: what only draws (painting, the focus rectangle, themes, the
//   tooltip and the subclass it rides on). Its failure is reported and
//   skipped: the window goes on without it, and repaints later where a paint
//   failed.

// A failed essential Win32 call, with its error code.
[[noreturn]] inline void ThrowLastError(const char* call, SourcePlace where = SourcePlace::Here())
{
    throw Failure(FailureCause::PlatformCall, GetLastError(), call, where);
}

// A failed essential call that sets no error code (a message's answer, a
// common-controls call).
[[noreturn]] inline void ThrowCallFailure(const char* call, SourcePlace where = SourcePlace::Here())
{
    throw Failure(FailureCause::PlatformCall, 0, call, where);
}

// An essential COM call, with its HRESULT.
inline void ThrowIfFailed(HRESULT result, const char* call, SourcePlace where = SourcePlace::Here())
{
    if (FAILED(result))
        throw Failure(FailureCause::PlatformCall, static_cast<std::uint32_t>(result), call, where);
}

// A decorative call's outcome: true when it succeeded. A failure is reported
// on standard error, with GetLastError's code, and the caller skips what
// depended on it.
bool Decorated(bool succeeded, const char* call, SourcePlace where = SourcePlace::Here());

// A decorative COM call's outcome, with its HRESULT in the report.
bool DecoratedResult(HRESULT result, const char* call, SourcePlace where = SourcePlace::Here());
