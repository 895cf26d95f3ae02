#include "ui/win32_error.h"

#include "ui/unhandled_failure.h"

bool Decorated(bool succeeded, const char* call, SourcePlace where)
{
    if (!succeeded)
        ReportSkippedFailure(Failure(FailureCause::PlatformCall, GetLastError(), call, where));
    return succeeded;
}

bool DecoratedResult(HRESULT result, const char* call, SourcePlace where)
{
    if (FAILED(result))
        ReportSkippedFailure(Failure(FailureCause::PlatformCall, static_cast<std::uint32_t>(result), call, where));
    return SUCCEEDED(result);
}
