#include "core/failure.h"

const char* Failure::what() const noexcept
{
    switch (cause) {
    case FailureCause::RenameRefused:
        return "the file system refused the rename";
    case FailureCause::NumberOverflow:
        return "a 16-bit number went past 32767";
    case FailureCause::NoFolderInPath:
        return "a path has no folder";
    case FailureCause::NameTrimmedByWin32:
        return "a file name ends in a dot or a space";
    case FailureCause::NotAWholePath:
        return "an argument names no file whole";
    case FailureCause::PlatformCall:
        return "a platform call failed";
    }
    return "unknown failure";
}
