#include "app/whole_path.h"

#include <algorithm>

namespace {

char16_t LowerAscii(char16_t c)
{
    return c >= u'A' && c <= u'Z' ? static_cast<char16_t>(c | 0x20) : c;
}

bool IsDriveLetter(char16_t c)
{
    return LowerAscii(c) >= u'a' && LowerAscii(c) <= u'z';
}

// "UNC\" after "\\?\", in any case: the object manager's names do not depend on it.
bool StartsWithUnc(std::u16string_view names)
{
    return names.size() >= 4 && LowerAscii(names[0]) == u'u' && LowerAscii(names[1]) == u'n' &&
           LowerAscii(names[2]) == u'c' && names[3] == u'\\';
}

// A name as the file system takes it: not empty, no "/", and no dot or space
// at its end, which Win32 drops from a path it reads ("." and ".." too).
bool IsPlainName(std::u16string_view name)
{
    return !name.empty() && name.find(u'/') == std::u16string_view::npos && name.back() != u'.' && name.back() != u' ';
}

bool AreAllPlainNames(std::u16string_view names)
{
    for (std::size_t start = 0;;) {
        const std::size_t end = std::min(names.find(u'\\', start), names.size());
        if (!IsPlainName(names.substr(start, end - start)))
            return false;
        if (end == names.size())
            return true;
        start = end + 1;
    }
}

// "server\share\" and whatever follows: without both names Win32 would read
// the path as a device ("\\.\") or as another server's.
bool StartsWithShare(std::u16string_view names)
{
    const std::size_t server = names.find(u'\\');
    const std::size_t share = server == std::u16string_view::npos ? server : names.find(u'\\', server + 1);
    return share != std::u16string_view::npos && AreAllPlainNames(names.substr(0, share));
}

} // namespace

bool IsWholePath(std::u16string_view name)
{
    // After \\?\ Win32 reads nothing: the names reach the file system as
    // written, so they must be the ones the rename's folder split sees.
    const bool verbatim = name.starts_with(u"\\\\?\\");
    std::u16string_view names = verbatim ? name.substr(4) : name;
    bool share = false;
    if (names.size() >= 3 && IsDriveLetter(names[0]) && names[1] == u':' &&
        (names[2] == u'\\' || (names[2] == u'/' && !verbatim))) {
        names.remove_prefix(3);
    } else if (verbatim ? StartsWithUnc(names) : names.starts_with(u"\\\\")) {
        names.remove_prefix(verbatim ? 4 : 2);
        share = true;
    } else {
        return false;
    }
    // No Windows name holds a quote, and a colon past the drive's would name
    // a stream ("a.jpg:x") or be cut into a path nobody named ("x://y").
    if (names.find_first_of(u"\":") != std::u16string_view::npos || (share && !StartsWithShare(names)))
        return false;
    return !verbatim || AreAllPlainNames(names);
}
