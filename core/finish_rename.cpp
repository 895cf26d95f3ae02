#include "core/finish_rename.h"

#include <algorithm>

#include "core/failure.h"
#include "core/file_system.h"
#include "core/int16.h"

namespace {

constexpr std::size_t kExtensionSearchLength = 255;

} // namespace

std::u16string SplitExtension(std::u16string_view path)
{
    const std::size_t lastBackslash = path.rfind(u'\\');
    const std::size_t nameStart = lastBackslash == std::u16string_view::npos ? 0 : lastBackslash + 1;
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
    const std::size_t lastBackslash = path.rfind(u'\\');
    if (lastBackslash == std::u16string_view::npos)
        throw Failure(FailureCause::NoFolderInPath);
    return std::u16string(path.substr(0, lastBackslash));
}

void RenameInPlace(FileSystem& fileSystem, const std::u16string& sourcePath,
                   const std::u16string& folder, const std::u16string& newName)
{
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
