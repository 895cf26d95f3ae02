// The entry handlers over fakes: the start-up logic over command lines at
// 01:01:01 on 31 January 2005, the drop handler under each scheme at 13:45:21.
#include <gtest/gtest.h>

#include "app/command_line_split.h"
#include "app/command_line_start.h"
#include "app/drop_handling.h"
#include "tests/native/fakes.h"

namespace {

using enum NamingScheme;
using Renames = std::vector<std::pair<std::u16string, std::u16string>>;
using Messages = std::vector<std::pair<std::u16string, MessageIcon>>;

struct Handlers {
    explicit Handlers(std::vector<std::u16string> files, ClockReading now = ClockReading{2005, 1, 31, 1, 1, 1})
        : clock(now)
    {
        for (const std::u16string& file : files)
            fs.files[file] = "file";
    }
    // Every argument of the line names a file, and so does what it would name without its \\?\ prefix.
    void Start(const std::u16string& commandLine)
    {
        for (const std::u16string& argument : SplitCommandLine(commandLine).arguments) {
            fs.files.try_emplace(argument, "file");
            if (argument.starts_with(u"\\\\?\\"))
                fs.files.try_emplace(argument.substr(4), "file");
        }
        process.arguments = ReadCommandLinePaths(commandLine);
        Form_Load({process, window, window, clock, fs});
    }
    void Drop(NamingScheme scheme, std::vector<std::u16string> paths)
    {
        window.scheme = scheme, data.paths = std::move(paths);
        clock.log = &window.log;
        Picture1_OLEDragDrop({window, window, clock, fs, window}, data);
    }
    FakeProcess process;
    FakeWindow window;
    FakeClock clock;
    FakeFileSystem fs;
    FakeDropData data;
};

TEST(FormLoad, ARefusedArgumentStopsTheLineWithTheMessage)
{
    // Each between two whole paths: relative, drive-relative, rooted, a stream, a URL, a quote, a device, a share
    // without a file; names Win32 reads otherwise ("d." or "d " beside "d"), there or after \\?\, with "/", "..", ".".
    for (const std::u16string refused :
         {u"C:\\p\\d.jpg.", u"\"C:\\p\\e.jpg \"", u"\"\"", u"rel.jpg", u"sub\\a.jpg", u"Z:sub\\a.jpg", u"\\a.jpg",
          u":\\b\\x.jpg", u"C:\\p\\a.jpg:x", u"http://x/y.jpg", u"C:\\p\\\\\\\"q.jpg", u"\\\\.\\C:\\p\\c.jpg",
          u"\\\\nas\\s", u"\\\\?\\C:/p/c.jpg", u"\\\\?\\Z:\\x\\d.\\a.jpg", u"\\\\?\\Z:\\x\\nowhere\\..\\d\\b.jpg",
          u"\"\\\\?\\C:\\p \\c.jpg\"", u"\\\\?\\UNC\\nas\\s\\.\\c.jpg"}) {
        SCOPED_TRACE(std::string(refused.begin(), refused.end()));
        Handlers h({u"Z:\\x\\d\\a.jpg", u"Z:\\x\\d\\b.jpg"});
        h.Start(u"p \"C:\\p\\a.jpg\" " + refused + u" \"E:\\c\\d.jpg\"");
        EXPECT_EQ(h.fs.renames, (Renames{{u"C:\\p\\a.jpg", u"C:\\p\\050131010102.jpg"}}));
        EXPECT_EQ(std::pair(h.window.closed, h.window.messages),
                  std::pair(1, Messages{{kCommandLineFailureText, MessageIcon::Exclamation}}));
    }
}

TEST(DropHandling, EachSchemeRenamesTheDropOrStopsWithItsMessage)
{
    const auto at = [](int second) { return ClockReading{2005, 1, 31, 13, 45, second}; };
    const std::vector<std::u16string> abc{u"C:\\p\\a.jpg", u"C:\\p\\b.jpg", u"C:\\p\\c.txt"};
    // the scheme, a name taken, the clock's readings, the names of a, b and c as far as the drop gets, the message
    for (const auto& [scheme, taken, readings, names, message] : {
             std::tuple<NamingScheme, std::u16string, std::vector<ClockReading>, std::vector<std::u16string>,
                        const std::u16string*>(
                 Compact, u"", {}, {u"050131134522.jpg", u"050131134523.jpg", u"050131134524.txt"}, nullptr),
             {Dashed, u"", {}, {u"05-01-31-13-45-22.jpg", u"05-01-31-13-45-23.jpg", u"05-01-31-13-45-24.txt"}, nullptr},
             {ShortDateCounter, u"", {}, {u"050131-001.jpg", u"050131-002.jpg", u"050131-003.txt"}, nullptr},
             {LongDateCounter, u"", {}, {u"20050131-001.jpg", u"20050131-002.jpg", u"20050131-003.txt"}, nullptr},
             {Compact, u"050131134523.jpg", {}, {u"050131134522.jpg"}, &kTimingFailureText},
             {LongDateCounter, u"20050131-002.jpg", {}, {u"20050131-001.jpg"}, &kSameNameFailureText},
             // b stamped in 22 and checked in 23 keeps 22, which a has
             {Compact, u"", {at(21), at(21), at(22), at(23)}, {u"050131134522.jpg"}, &kTimingFailureText},
             // the long counter's year is its stamp's, across New Year
             {LongDateCounter,
              u"",
              {ClockReading{2005, 12, 31, 23, 59, 59}, ClockReading{2006, 1, 1, 0, 0, 0}},
              {u"20051231-001.jpg", u"20060101-002.jpg", u"20060101-003.txt"},
              nullptr},
         }) {
        Handlers h(abc, at(21));
        h.fs.files[u"C:\\p\\" + taken] = "taken";
        if (!readings.empty())
            h.clock.readings.assign(readings.begin(), readings.end());
        h.Drop(scheme, abc);
        // The window answers between files, never between a stamp and its check (the clock's readings, "t"),
        // and shows a failure before its message.
        const std::string stamp = scheme == Compact || scheme == Dashed ? "tt" : "t";
        Renames renames;
        std::string log;
        for (std::size_t i = 0; i < names.size(); ++i) {
            renames.emplace_back(abc[i], u"C:\\p\\" + names[i]);
            log += stamp + '[' + std::to_string(i + 1) + "/3]";
        }
        EXPECT_EQ(h.fs.renames, renames);
        EXPECT_EQ(h.window.log, message ? log + stamp + "[failed][message]" : log);
        EXPECT_EQ(h.window.schemeReads, message ? 2 : 3) << "read for every file";
        EXPECT_EQ(h.window.boxes, h.window.fields) << "Text1 to Text10 show the last file";
        EXPECT_EQ(h.window.closed, message ? 0 : 1);
        EXPECT_EQ(h.window.messages, (message ? Messages{{*message, MessageIcon::Exclamation}} : Messages{}));
    }
}

TEST(DropHandling, EachDropStartsAfreshAndOnlyAFileListIsTaken)
{
    Handlers h({u"C:\\a", u"C:\\b", u"C:\\050131-001", u"D:\\d"});
    h.Drop(ShortDateCounter, {u"C:\\a"}); // stopped at its first file
    h.data.hasFileList = false;
    h.Drop(ShortDateCounter, {u"D:\\d"});
    EXPECT_EQ(h.window.closed, 0) << "no file list: nothing happens";
    h.data.hasFileList = true;
    h.Drop(ShortDateCounter, {u"D:\\d"}); // counting from 1 again
    h.Drop(ShortDateCounter, {});
    EXPECT_EQ(h.window.closed, 2) << "an empty list closes the window too";
    h.window.sessionEndsAfter = 1; // the session ends: the batch stops after its file, and the window closes
    h.Drop(Compact, {u"C:\\a", u"C:\\b"});
    EXPECT_EQ(h.fs.renames, (Renames{{u"D:\\d", u"D:\\050131-001"}, {u"C:\\a", u"C:\\050131010102"}}));
    EXPECT_EQ(h.window.closed, 3);
}

} // namespace
