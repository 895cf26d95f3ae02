#pragma once

#include <windows.h>

#include "core/failure.h"

// A failed Win32 call as the project's failure, with its error code.
[[noreturn]] inline void ThrowLastError()
{
    throw Failure(FailureCause::PlatformCall, GetLastError());
}
