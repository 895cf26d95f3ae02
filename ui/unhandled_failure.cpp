#include "ui/unhandled_failure.h"

#include <windows.h>

#include <exception>
#include <string>

namespace {

// "DrawIconEx failed, system error 0 (ui/form1.cpp:171)"
std::string Describe(const Failure& failure)
{
    std::string text = failure.call != nullptr ? std::string(failure.call) + " failed" : failure.what();
    text.append(", system error ").append(std::to_string(failure.systemError));
    text.append(" (").append(failure.where.file).append(":").append(std::to_string(failure.where.line));
    return text + ")";
}

void WriteToStandardError(const std::string& line)
{
    const HANDLE error = GetStdHandle(STD_ERROR_HANDLE);
    DWORD written = 0;
    // A report that cannot be written is lost: it only ever explains.
    if (error != nullptr && error != INVALID_HANDLE_VALUE)
        WriteFile(error, line.data(), static_cast<DWORD>(line.size()), &written, nullptr);
}

} // namespace

void ReportUnhandledFailure(std::string_view during)
{
    std::string text = "Nomichron ended during ";
    text.append(during).append(": ");
    try {
        throw;
    } catch (const Failure& failure) {
        text.append(Describe(failure));
    } catch (const std::exception& other) {
        text.append(other.what());
    } catch (...) {
        text.append("an unknown failure");
    }
    WriteToStandardError(text + '\n');
}

void ReportSkippedFailure(const Failure& failure)
{
    WriteToStandardError("Nomichron went on without: " + Describe(failure) + '\n');
}
