// Any text, three ways: as the command-line start's argument string, as a
// raw command line for the splitter, and as the path of a file to rename.
#include <cstdint>
#include <algorithm>
#include <cstdlib>
#include <string>

#include "app/command_line_split.h"
#include "app/command_line_start.h"
#include "core/failure.h"
#include "core/finish_rename.h"
#include "tests/native/fakes.h"

namespace {

// Bytes below 0x80 are themselves, so the seeds are plain text; the others
// pick code units that ASCII lacks: Japanese letters, an ideographic space
// and both halves of a surrogate pair, alone or together.
std::u16string TextFrom(const std::uint8_t* data, std::size_t size)
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

// Ends in exactly one way, shows at most one message, and renames only
// sources the string holds, each within its own folder.
void StartWith(const std::u16string& arguments)
{
    FakeFileSystem fs;
    for (const char16_t* path : {u"C:\\p\\a.jpg", u"C:\\p\\b", u"C:\\a.b\\x", u"D:\\写真\\\xD83D\xDCF7.jpg",
                                 u"\\\\s\\h\\c.txt", u"C:\\pa.jpg", u"C:\\p\\050131010102.jpg"})
        fs.AddFile(path);
    FakeProcess process;
    process.arguments = arguments;
    FakeWindow window;
    FakeMessages messages;
    FakeClock clock(Reading(2005, 1, 31, 1, 1, 1));
    Form_Load({process, window, messages, clock, fs});
    Require(window.showCount + window.closeCount == 1);
    Require(messages.shown.size() <= 1);
    Require(messages.shown.empty() || window.closeCount == 1);
    for (const auto& [from, to] : fs.renames) {
        Require(arguments.find(from) != std::u16string::npos);
        Require(SplitFolder(from) == SplitFolder(to));
    }
}

// Arguments written back as a Windows program quotes them split into the same
// arguments, none left open.
void SplitAgain(const std::u16string& line)
{
    const CommandLineArguments split = SplitCommandLine(line);
    if (split.arguments.empty())
        return;
    Require(!split.lastLeftOpen || line.find(u'"') != std::u16string::npos);
    std::u16string written = u"p";
    for (std::size_t i = 1; i < split.arguments.size(); ++i) {
        written += u" \"";
        std::size_t backslashes = 0;
        for (char16_t c : split.arguments[i]) {
            if (c == u'"')
                written.append(backslashes + 1, u'\\');
            backslashes = c == u'\\' ? backslashes + 1 : 0;
            written += c;
        }
        written.append(backslashes, u'\\');
        written += u'"';
    }
    const CommandLineArguments again = SplitCommandLine(written);
    Require(!again.lastLeftOpen);
    Require(std::equal(again.arguments.begin() + 1, again.arguments.end(), split.arguments.begin() + 1,
                       split.arguments.end()));
}

// The target lies in the source's folder, keeps the name's own extension and
// never ends in a dot or a space.
class Recorder : public FileSystem {
public:
    void RenameNoReplace(const std::u16string&, const std::u16string& to) override { target = to; }
    std::u16string target;
};

void RenameAt(const std::u16string& path)
{
    Recorder recorder;
    RenameFields fields;
    fields.sourcePath = path;
    fields.stem = u"050131010102";
    try {
        FinishRename(fields, recorder);
    } catch (const Failure&) {
        return;
    }
    const std::size_t nameStart = path.find_last_of(u"\\/") + 1;
    Require(nameStart > 0 && recorder.target.size() > nameStart);
    Require(recorder.target.compare(0, nameStart - 1, path, 0, nameStart - 1) == 0);
    const std::u16string newName = recorder.target.substr(nameStart);
    Require(recorder.target[nameStart - 1] == u'\\' && newName.find_first_of(u"\\/") == std::u16string::npos);
    Require(newName.back() != u'.' && newName.back() != u' ');
    const std::u16string extension = newName.substr(fields.stem.size());
    Require(newName.starts_with(fields.stem) && (extension.empty() || extension[0] == u'.'));
    Require(path.ends_with(extension) && extension.find(u'.', 1) == std::u16string::npos && extension.size() <= 255);
    Require(!extension.empty() || path.find(u'.', nameStart) == std::u16string::npos ||
            path.size() - path.rfind(u'.') > 255);
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    const std::u16string text = TextFrom(data, size);
    StartWith(text);
    SplitAgain(text);
    RenameAt(text);
    return 0;
}
