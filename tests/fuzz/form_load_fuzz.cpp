// The command-line start over any argument string: it never crashes, ends in
// exactly one way, and renames only paths that the string holds, each within
// its own folder.
#include <cstdint>
#include <cstdlib>
#include <string>

#include "app/command_line_start.h"
#include "core/finish_rename.h"
#include "tests/native/fakes.h"

namespace {

// Bytes below 0x80 are themselves, so the seeds are plain text; the others
// pick code units that ASCII lacks: Japanese letters, an ideographic space
// and both halves of a surrogate pair, alone or together.
std::u16string ArgumentsFrom(const std::uint8_t* data, std::size_t size)
{
    static constexpr char16_t kOthers[] = {u'写', u'真', u'\u3000', 0xD83D, 0xDCF7, u'：', u'＼', u'．'};
    std::u16string text;
    text.reserve(size);
    for (std::size_t i = 0; i < size; ++i)
        text += data[i] < 0x80 ? static_cast<char16_t>(data[i]) : kOthers[data[i] % std::size(kOthers)];
    return text;
}

void Require(bool condition)
{
    if (!condition)
        std::abort();
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    FakeFileSystem fs;
    for (const char16_t* path : {u"C:\\p\\a.jpg", u"C:\\p\\b", u"C:\\a.b\\x", u"D:\\写真\\\xD83D\xDCF7.jpg",
                                 u"\\\\s\\h\\c.txt", u"C:\\pa.jpg", u"C:\\p\\050131010102.jpg"})
        fs.AddFile(path);
    FakeProcess process;
    process.arguments = ArgumentsFrom(data, size);
    FakeWindow window;
    FakeMessages messages;
    FakeClock clock(Reading(2005, 1, 31, 1, 1, 1));

    Form_Load({process, window, messages, clock, fs});

    Require(window.showCount + window.closeCount == 1);
    Require(messages.shown.size() <= 1);
    Require(messages.shown.empty() || window.closeCount == 1);
    for (const auto& [from, to] : fs.renames) {
        Require(process.arguments.find(from) != std::u16string::npos);
        Require(SplitFolder(from) == SplitFolder(to));
    }
    return 0;
}
