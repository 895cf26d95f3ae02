// Any text two ways: as a raw command line to start with, and as the path of a file to rename.
#include <algorithm>
#include <cstdint>
#include <cstdlib>

#include "app/command_line_split.h"
#include "app/command_line_start.h"
#include "core/finish_rename.h"
#include "tests/native/fakes.h"

namespace {

void Require(bool condition)
{
    if (!condition)
        std::abort();
}

// Started with it, the program renames only files that its complete arguments name, whole.
void StartWith(const std::u16string& line)
{
    const CommandLineArguments split = SplitCommandLine(line);
    FakeProcess process;
    process.arguments = ArgumentStringOf(line);
    FakeWindow window;
    FakeClock clock(Reading(2005, 1, 31, 1, 1, 1));
    FakeFileSystem fs;
    for (const std::u16string& argument : split.arguments)
        fs.files[argument] = "file";
    Form_Load({process, window, window, clock, fs});
    const auto complete = split.arguments.end() - (split.lastLeftOpen ? 1 : 0);
    for (const auto& [from, to] : fs.renames)
        Require(std::find(split.arguments.begin() + 1, complete, from) != complete);
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
    StartWith(text);
    RenameAt(text);
    return 0;
}
