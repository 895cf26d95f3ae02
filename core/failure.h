#pragma once

#include <cstdint>
#include <exception>

// What made an operation fail. The entry handler that armed its failure
// handling decides the message; the cause, the system's error code and where
// it was thrown are kept for tests and for whoever debugs a refused rename.
enum class FailureCause {
    RenameRefused,      // the file system said no; systemError holds its code
    NumberOverflow,     // a 16-bit counter, position or sum went past 32767
    NoFolderInPath,     // a path without any separator
    NameTrimmedByWin32, // a file name that is empty or ends in a dot or a space
    NotAWholePath,      // an argument that names no file whole: relative, a URL, a stray quote
    PlatformCall,       // the platform call named in call failed; systemError holds its code
};

// A place in the sources. As a default argument, Here() is the caller's:
// the place of the call that left the argument out.
struct SourcePlace {
    const char* file;
    int line;

    static constexpr SourcePlace Here(const char* file = __builtin_FILE(), int line = __builtin_LINE())
    {
        return {file, line};
    }
};

class Failure : public std::exception {
public:
    explicit Failure(FailureCause cause, std::uint32_t systemError = 0, const char* call = nullptr,
                     SourcePlace where = SourcePlace::Here())
        : cause(cause), systemError(systemError), call(call), where(where)
    {}
    const char* what() const noexcept override;

    FailureCause cause;
    std::uint32_t systemError;
    const char* call;  // the failed platform call, when there is one
    SourcePlace where; // the line that threw
};
