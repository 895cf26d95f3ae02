// Any input two ways: as a raw command line to start with, and as a dropped file list.
#include <cstdint>
#include <cstdlib>
#include <span>

#include "app/command_line_split.h"
#include "app/command_line_start.h"
#include "app/file_list.h"
#include "tests/native/fakes.h"

// Bytes below 0x80 are themselves, so the seeds are plain text; the others
// pick code units that ASCII lacks: Japanese letters, an ideographic space,
// full-width signs and the halves of a surrogate pair, alone or together.
extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    static constexpr char16_t kOthers[] = {u'写', u'真', u'\u3000', 0xD83D, 0xDCF7, u'：', u'＼', u'．'};
    std::u16string line;
    for (std::size_t i = 0; i < size; ++i)
        line += data[i] < 0x80 ? static_cast<char16_t>(data[i]) : kOthers[data[i] % std::size(kOthers)];
    // Started with it, the program renames only fully qualified paths given whole (a drive's root, or the two
    // backslashes of a share or a \\?\ path, but not of a device), in their order, none after one it did not.
    const CommandLineArguments split = SplitCommandLine(line);
    FakeProcess process;
    process.arguments = ReadCommandLinePaths(line);
    FakeWindow window;
    FakeClock clock(ClockReading{2005, 1, 31, 1, 1, 1});
    FakeFileSystem fs;
    for (const std::u16string& argument : split.arguments)
        fs.files[argument] = "file";
    Form_Load({process, window, window, clock, fs});
    const std::size_t complete = split.arguments.size() - (split.lastLeftOpen ? 1 : 0);
    for (std::size_t i = 0; i < fs.renames.size(); ++i) {
        const std::u16string& from = fs.renames[i].first;
        if (i + 1 >= complete || from != split.arguments[i + 1] || from.starts_with(u"\\\\.\\") ||
            !(from.starts_with(u"\\\\") ||
              (from.size() > 2 && from[1] == u':' && (from[2] == u'\\' || from[2] == u'/'))))
            std::abort();
    }
    // Read as a dropped file list: nothing outside the block, which is exactly the input, so that
    // AddressSanitizer sees a read past it.
    ReadFileList({data, size}, [](std::string_view name) { return std::u16string(name.begin(), name.end()); });
    return 0;
}
