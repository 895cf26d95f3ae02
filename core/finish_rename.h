#pragma once

#include <string>
#include <string_view>

#include "core/rename_fields.h"

class FileSystem;

// Windows takes "/" as a folder separator as well as "\": the file's own
// name starts after the last of either.

// The extension of the path's own file name: the text after its last ".",
// empty when the name has none. Folder names are never searched, and neither
// is anything more than 255 code units from the end of the path.
std::u16string SplitExtension(std::u16string_view path);

// Everything before the path's last separator. Fails when the path has none,
// or is longer than a 16-bit position can count (32767).
std::u16string SplitFolder(std::u16string_view path);

// Renames sourcePath to folder\newName; never replaces an existing file.
// Refuses a file whose own name is empty or ends in a dot or a space: Win32
// drops those from a path's last name and would rename another file.
void RenameInPlace(FileSystem& fileSystem, const std::u16string& sourcePath, const std::u16string& folder,
                   const std::u16string& newName);

// The common tail of every file: newName from stem and the file's own
// extension, folder from sourcePath, then the rename. Fields written before a
// failure keep their values.
void FinishRename(RenameFields& fields, FileSystem& fileSystem);
