#pragma once

#include <windows.h>

#include "core/failure.h"

// A failed Win32 call as the project's failure, with its error code.
[[noreturn]] inline void ThrowLastError()
{
    throw Failure(FailureCause::PlatformCall, GetLastError());
}

// A failed COM call as the project's failure, with its HRESULT.
inline void ThrowIfFailed(HRESULT result)
{
    if (FAILED(result))
        throw Failure(FailureCause::PlatformCall, static_cast<std::uint32_t>(result));
}
