#pragma once

#include <string>

class FileSystem {
public:
    virtual ~FileSystem() = default;

    // Renames the entry `from` to `to`. Never replaces an existing entry and
    // never copies: when the file system refuses, it throws
    // Failure(RenameRefused) with the system's error code and nothing changes.
    virtual void RenameNoReplace(const std::u16string& from, const std::u16string& to) = 0;
};
