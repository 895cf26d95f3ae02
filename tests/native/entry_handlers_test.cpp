// The entry handlers over fakes: the start-up logic over argument strings at
// 01:01:01 on 31 January 2005, the drop handler under each scheme at 13:45:21.
#include <gtest/gtest.h>

#include "app/command_line_start.h"
#include "app/drop_handling.h"
#include "tests/native/fakes.h"

namespace {

using enum NamingScheme;
using Renames = std::vector<std::pair<std::u16string, std::u16string>>;
using Messages = std::vector<std::pair<std::u16string, MessageIcon>>;

struct Handlers {
    explicit Handlers(std::vector<std::u16string> files, ClockReading now = Reading(2005, 1, 31, 1, 1, 1)) : clock(now)
    {
        for (const std::u16string& file : files)
            fs.files[file] = "file";
    }
    enum End { Closed, Shown, Failed };
    End Start(const std::u16string& arguments)
    {
        process.arguments = {arguments};
        Form_Load({process, window, window, clock, fs});
        EXPECT_EQ(window.shown + window.closed, 1) << "one way to end";
        EXPECT_TRUE(window.messages.empty() ||
                    window.messages == Messages({{kCommandLineFailureText, MessageIcon::Exclamation}}));
        return window.shown ? Shown : window.messages.empty() ? Closed : Failed;
    }
    void Drop(NamingScheme scheme, std::vector<std::u16string> paths)
    {
        window.scheme = scheme, data.paths = std::move(paths);
        Picture1_OLEDragDrop({window, window, clock, fs}, data);
    }
    FakeProcess process;
    FakeWindow window;
    FakeClock clock;
    FakeFileSystem fs;
    FakeDropData data;
};

TEST(FormLoad, ArgumentStringsRenameWhatTheyHold)
{
    const Renames a{{u"C:\\p\\a.jpg", u"C:\\p\\050131010102.jpg"}};
    for (const auto& [arguments, end, renames] : {
             // a plain stretch counts from its last colon; after the last quote nothing is looked at
             std::tuple<std::u16string, Handlers::End, Renames>(
                 u"\"C:\\p\\a.jpg\"  D:\\b\\x.jpg D:\\b\\y.jpg  \"E:\\c\\d.jpg\" C:\\p\\README", Handlers::Closed,
                 Renames{a[0],
                         {u"D:\\b\\y.jpg", u"D:\\b\\050131010102.jpg"},
                         {u"E:\\c\\d.jpg", u"E:\\c\\050131010102.jpg"}}),
             {u"C:\\p\\a.jpg", Handlers::Closed, {}},  // no quotes
             {u"\"\" \"abc\" ", Handlers::Closed, {}}, // short pieces only
             {u"", Handlers::Shown, {}},
             {u"\"\\\\server\\s\\n.jpg\" \"C:\\p\\a.jpg\"", Handlers::Shown, {}}, // no colon before one
             {u"\"C:\\p\\a.jpg\"    \"E:\\c\\d.jpg\"", Handlers::Failed, a},      // four spaces reuse the renamed path
             {u"\"C:\\p\\a.jpg\" \":\\b\\x.jpg\"", Handlers::Failed, a},          // a colon first
             {u"\"C:\\p\\a.jpg \"", Handlers::Failed, {}}, // a space that ends a quoted name is its own: refused
             {u"\"C:\\p\\a.jpg" + std::u16string(32767, u'"'), Handlers::Failed, a}, // 32769 pieces: past 16 bits
         }) {
        SCOPED_TRACE(std::string(arguments.begin(), arguments.begin() + std::min<std::size_t>(arguments.size(), 40)));
        Handlers h(
            {u"C:\\p\\a.jpg", u"C:\\p\\a.jpg ", u"C:\\p\\README", u"D:\\b\\x.jpg", u"D:\\b\\y.jpg", u"E:\\c\\d.jpg"});
        EXPECT_EQ(h.Start(arguments), end);
        EXPECT_EQ(h.fs.renames, renames);
        EXPECT_EQ(h.window.boxes, end == Handlers::Shown ? FakeWindow().fields : h.window.fields) << "Text1 to Text10";
    }
}

TEST(DropHandling, EachSchemeRenamesTheDropOrStopsWithItsMessage)
{
    const auto at = [](int second) { return Reading(2005, 1, 31, 13, 45, second); };
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
              {Reading(2005, 12, 31, 23, 59, 59), Reading(2006, 1, 1, 0, 0, 0)},
              {u"20051231-001.jpg", u"20060101-002.jpg", u"20060101-003.txt"},
              nullptr},
         }) {
        Handlers h(abc, at(21));
        h.fs.files[u"C:\\p\\" + taken] = "taken";
        if (!readings.empty())
            h.clock.readings.assign(readings.begin(), readings.end());
        h.Drop(scheme, abc);
        Renames renames;
        for (std::size_t i = 0; i < names.size(); ++i)
            renames.emplace_back(abc[i], u"C:\\p\\" + names[i]);
        EXPECT_EQ(h.fs.renames, renames);
        EXPECT_EQ(h.window.schemeReads, message ? 2 : 3) << "read for every file";
        EXPECT_EQ(h.window.boxes, h.window.fields) << "Text1 to Text10 show the last file";
        EXPECT_EQ(h.window.closed, message ? 0 : 1);
        EXPECT_EQ(h.window.messages, (message ? Messages{{*message, MessageIcon::Exclamation}} : Messages{}));
    }
}

TEST(DropHandling, EachDropStartsAfreshAndOnlyAFileListIsTaken)
{
    Handlers h({u"C:\\a", u"C:\\050131-001", u"D:\\d"});
    h.Drop(ShortDateCounter, {u"C:\\a"}); // stopped at its first file
    h.data.hasFileList = false;
    h.Drop(ShortDateCounter, {u"D:\\d"});
    EXPECT_EQ(h.window.closed, 0) << "no file list: nothing happens";
    h.data.hasFileList = true;
    h.Drop(ShortDateCounter, {u"D:\\d"});
    EXPECT_EQ(h.fs.renames, (Renames{{u"D:\\d", u"D:\\050131-001"}})) << "counting from 1 again";
    h.Drop(ShortDateCounter, {});
    EXPECT_EQ(h.window.closed, 2) << "an empty list closes the window too";
}

} // namespace
