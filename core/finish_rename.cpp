#include "core/finish_rename.h"

#include <algorithm>

#include "core/failure.h"
#include "core/file_system.h"
#include "core/int16.h"

namespace {

constexpr std::size_t kExtensionSearchLength = 255;
constexpr std::u16string_view kSeparators = u"\\/";

// Where the file's own name starts: 0 when the path has no separator.
std::size_t NameStart(std::u16string_view path)
{
    const std::size_t lastSeparator = path.find_last_of(kSeparators);
    return lastSeparator == std::u16string_view::npos ? 0 : lastSeparator + 1;
}

} // namespace

std::u16string SplitExtension(std::u16string_view path)
{
    const std::size_t nameStart = NameStart(path);
    const std::size_t searchStart =
        std::max(nameStart, path.size() > kExtensionSearchLength ? path.size() - kExtensionSearchLength : 0);
    const std::size_t dot = path.rfind(u'.');
    if (dot == std::u16string_view::npos || dot < searchStart)
        return {};
    return std::u16string(path.substr(dot + 1));
}

std::u16string SplitFolder(std::u16string_view path)
{
    ToInt16(static_cast<long long>(path.size())); // the search position is a 16-bit number
    const std::size_t nameStart = NameStart(path);
    if (nameStart == 0)
        throw Failure(FailureCause::NoFolderInPath);
    return std::u16string(path.substr(0, nameStart - 1));
}

void RenameInPlace(FileSystem& fileSystem, const std::u16string& sourcePath, const std::u16string& folder,
                   const std::u16string& newName)
{
    // "dot.jpg." would reach dot.jpg beside it, "sp.jpg " sp.jpg; a new name
    // ending in a space would be reachable only through \\?\ paths.
    const std::u16string_view name = std::u16string_view(sourcePath).substr(NameStart(sourcePath));
    if (name.empty() || name.back() == u'.' || name.back() == u' ')
        throw Failure(FailureCause::NameTrimmedByWin32);
    fileSystem.RenameNoReplace(sourcePath, folder + u'\\' + newName);
}

void FinishRename(RenameFields& fields, FileSystem& fileSystem)
{
    const std::u16string extension = SplitExtension(fields.sourcePath);
    // A name without an extension gets the bare stem: a trailing dot would be
    // dropped by the file system anyway, or make the file hard to reach.
    fields.newName = extension.empty() ? fields.stem : fields.stem + u'.' + extension;
    fields.folder = SplitFolder(fields.sourcePath);
    RenameInPlace(fileSystem, fields.sourcePath, fields.folder, fields.newName);
}
