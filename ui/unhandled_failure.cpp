#include "ui/unhandled_failure.h"

#include <windows.h>

#include <exception>
#include <string>

#include "core/failure.h"

void ReportUnhandledFailure(std::string_view during)
{
    std::string text = "Nomichron ended during ";
    text.append(during).append(": ");
    try {
        throw;
    } catch (const Failure& failure) {
        text.append(failure.what()).append(", system error ").append(std::to_string(failure.systemError));
    } catch (const std::exception& other) {
        text.append(other.what());
    } catch (...) {
        text.append("an unknown failure");
    }
    text += '\n';
    const HANDLE error = GetStdHandle(STD_ERROR_HANDLE);
    DWORD written = 0;
    // The program ends either way: a report that cannot be written is lost.
    if (error != nullptr && error != INVALID_HANDLE_VALUE)
        WriteFile(error, text.data(), static_cast<DWORD>(text.size()), &written, nullptr);
}
