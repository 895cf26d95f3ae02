// Any text two ways: as a raw command line to split, and as the path of a file to rename.
#include <algorithm>
#include <cstdint>
#include <cstdlib>

#include "app/command_line_split.h"
#include "core/finish_rename.h"
#include "tests/native/fakes.h"

namespace {

void Require(bool condition)
{
    if (!condition)
        std::abort();
}

// Its arguments, quoted back as Windows programs quote them, split the same, none left open.
void SplitAgain(const std::u16string& line)
{
    const CommandLineArguments split = SplitCommandLine(line);
    std::u16string quoted = u"p";
    for (std::size_t i = 1; i < split.arguments.size(); ++i) {
        std::size_t backslashes = 0;
        quoted += u" \"";
        for (char16_t c : split.arguments[i]) {
            quoted.append(c == u'"' ? backslashes + 1 : 0, u'\\') += c;
            backslashes = c == u'\\' ? backslashes + 1 : 0;
        }
        quoted.append(backslashes, u'\\') += u'"';
    }
    const CommandLineArguments again = SplitCommandLine(quoted);
    Require(!again.lastLeftOpen &&
            (split.arguments.empty() || std::equal(again.arguments.begin() + 1, again.arguments.end(),
                                                   split.arguments.begin() + 1, split.arguments.end())));
}

// The target lies in the source's folder, keeps the name's own extension and
// never ends in a dot or a space.
void RenameAt(const std::u16string& path)
{
    FakeFileSystem fs;
    fs.files[path] = "file";
    RenameFields fields;
    fields.sourcePath = path, fields.stem = u"050131010102";
    try {
        FinishRename(fields, fs);
    } catch (const Failure&) {
        return;
    }
    const std::size_t name = path.find_last_of(u"\\/") + 1;
    const std::u16string target = fs.renames.at(0).second, extension = target.substr(name + fields.stem.size());
    Require(name > 0 && target.compare(0, name - 1, path, 0, name - 1) == 0 && target[name - 1] == u'\\');
    Require(target.substr(name, fields.stem.size()) == fields.stem &&
            target.find_first_of(u"\\/", name) == std::u16string::npos);
    Require(target.back() != u'.' && target.back() != u' ' && path.ends_with(extension));
    Require(extension.empty()
                ? path.find(u'.', name) == std::u16string::npos || path.size() - path.rfind(u'.') > 255
                : extension[0] == u'.' && extension.find(u'.', 1) == std::u16string::npos && extension.size() <= 255);
}

} // namespace

// Bytes below 0x80 are themselves, so the seeds are plain text; the others
// pick code units that ASCII lacks: Japanese letters, an ideographic space,
// full-width signs and the halves of a surrogate pair, alone or together.
extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    static constexpr char16_t kOthers[] = {u'写', u'真', u'\u3000', 0xD83D, 0xDCF7, u'：', u'＼', u'．'};
    std::u16string text;
    for (std::size_t i = 0; i < size; ++i)
        text += data[i] < 0x80 ? static_cast<char16_t>(data[i]) : kOthers[data[i] % std::size(kOthers)];
    SplitAgain(text);
    RenameAt(text);
    return 0;
}
