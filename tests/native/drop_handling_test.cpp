#include <gtest/gtest.h>

#include "app/drop_handling.h"
#include "core/failure.h"
#include "tests/native/fakes.h"

namespace {

// A window, a folder of three files and a clock at 31 January 2005, 13:45:21.
struct DropBench {
    DropBench()
    {
        for (const char16_t* name : {u"a.jpg", u"b.jpg", u"c.txt"})
            fs.AddFile(std::u16string(u"C:\\photos\\") + name, "content");
    }

    void Drop(std::vector<std::u16string> paths, bool hasFileList = true, Int16 unreadablePosition = 0)
    {
        FakeDropData data(std::move(paths), hasFileList);
        data.unreadablePosition = unreadablePosition;
        Picture1_OLEDragDrop({window, messages, clock, fs}, data);
    }

    void DropThree() { Drop({u"C:\\photos\\a.jpg", u"C:\\photos\\b.jpg", u"C:\\photos\\c.txt"}); }

    // The names of the three files afterwards, old or new.
    std::vector<std::u16string> Names(const std::vector<std::u16string>& expected) const
    {
        std::vector<std::u16string> found;
        for (const std::u16string& name : expected)
            if (fs.Exists(u"C:\\photos\\" + name))
                found.push_back(name);
        return found;
    }

    FakeWindow window;
    FakeMessages messages;
    FakeClock clock{Reading(2005, 1, 31, 13, 45, 21)};
    FakeFileSystem fs;
};

TEST(DropHandling, ThreeFilesUnderEachSchemeThenTheWindowCloses)
{
    const std::pair<NamingScheme, std::vector<std::u16string>> cases[] = {
        {NamingScheme::Compact, {u"050131134522.jpg", u"050131134523.jpg", u"050131134524.txt"}},
        {NamingScheme::Dashed, {u"05-01-31-13-45-22.jpg", u"05-01-31-13-45-23.jpg", u"05-01-31-13-45-24.txt"}},
        {NamingScheme::ShortDateCounter, {u"050131-001.jpg", u"050131-002.jpg", u"050131-003.txt"}},
        {NamingScheme::LongDateCounter, {u"20050131-001.jpg", u"20050131-002.jpg", u"20050131-003.txt"}},
    };
    for (const auto& [scheme, names] : cases) {
        DropBench b;
        b.window.schemes = {scheme};
        b.DropThree();
        EXPECT_EQ(b.Names(names), names);
        EXPECT_EQ(b.window.closeCount, 1);
        EXPECT_TRUE(b.messages.shown.empty());
        EXPECT_EQ(b.window.schemeReads, 3) << "the scheme is read for every file";
        EXPECT_EQ(b.window.boxes, b.window.fields) << "Text1 to Text10 show the last file";
        EXPECT_EQ(b.window.boxes.newName, names[2]);
    }
}

TEST(DropHandling, CollisionShowsTheSchemesMessageAndKeepsTheWindowOpen)
{
    const std::tuple<NamingScheme, const char16_t*, std::u16string> cases[] = {
        {NamingScheme::Compact, u"050131134523.jpg", kTimingFailureText},
        {NamingScheme::Dashed, u"05-01-31-13-45-23.jpg", kTimingFailureText},
        {NamingScheme::ShortDateCounter, u"050131-002.jpg", kSameNameFailureText},
        {NamingScheme::LongDateCounter, u"20050131-002.jpg", kSameNameFailureText},
    };
    for (const auto& [scheme, taken, text] : cases) {
        DropBench b;
        b.window.schemes = {scheme};
        b.fs.AddFile(std::u16string(u"C:\\photos\\") + taken, "existing");
        b.DropThree();
        ASSERT_EQ(b.messages.shown.size(), 1u);
        EXPECT_EQ(b.messages.shown[0].text, text);
        EXPECT_EQ(b.messages.shown[0].icon, MessageIcon::Exclamation);
        EXPECT_EQ(b.window.closeCount, 0);
        EXPECT_EQ(b.fs.ContentOf(std::u16string(u"C:\\photos\\") + taken), "existing");
        EXPECT_EQ(b.Names({u"b.jpg", u"c.txt"}).size(), 2u) << "the failing file and the rest keep their names";
        EXPECT_EQ(b.fs.renames.size(), 1u);
        EXPECT_EQ(b.window.fields.sourcePath, u"C:\\photos\\b.jpg");
        EXPECT_EQ(b.window.boxes, b.window.fields) << "the boxes show the failing file";
        EXPECT_EQ(b.window.boxes.newName, taken);
    }
}

TEST(DropHandling, ClockMovingOnKeepsTheStampedSecondAndMayCollide)
{
    DropBench b;
    // a: stamped and checked in 21 (22); b: stamped in 22, checked in 23 (keeps 22).
    b.clock.readings = {Reading(2005, 1, 31, 13, 45, 21), Reading(2005, 1, 31, 13, 45, 21),
                        Reading(2005, 1, 31, 13, 45, 22), Reading(2005, 1, 31, 13, 45, 23)};
    b.DropThree();
    EXPECT_TRUE(b.fs.Exists(u"C:\\photos\\050131134522.jpg"));
    EXPECT_TRUE(b.fs.Exists(u"C:\\photos\\b.jpg"));
    ASSERT_EQ(b.messages.shown.size(), 1u);
    EXPECT_EQ(b.messages.shown[0].text, kTimingFailureText);
}

TEST(DropHandling, LongCounterYearComesFromTheStampAcrossNewYear)
{
    DropBench b;
    b.window.schemes = {NamingScheme::LongDateCounter};
    b.clock.readings = {Reading(2005, 12, 31, 23, 59, 59), Reading(2006, 1, 1, 0, 0, 0)};
    b.Drop({u"C:\\photos\\a.jpg"});
    EXPECT_TRUE(b.fs.Exists(u"C:\\photos\\20051231-001.jpg"));
}

TEST(DropHandling, ThousandFilesHitTheLimitOnlyUnderCounterSchemes)
{
    std::vector<std::u16string> paths;
    DropBench shortCounter, compact;
    for (int i = 1; i <= 1000; ++i) {
        paths.push_back(u"C:\\many\\" + DecimalText(i) + u".dat");
        shortCounter.fs.AddFile(paths.back());
        compact.fs.AddFile(paths.back());
    }
    shortCounter.window.schemes = {NamingScheme::ShortDateCounter};
    shortCounter.Drop(paths);
    EXPECT_TRUE(shortCounter.fs.Exists(u"C:\\many\\050131-999.dat"));
    EXPECT_TRUE(shortCounter.fs.Exists(u"C:\\many\\1000.dat"));
    EXPECT_EQ(shortCounter.fs.renames.size(), 999u);
    ASSERT_EQ(shortCounter.messages.shown.size(), 1u);
    EXPECT_EQ(shortCounter.messages.shown[0].text, u"処理可能なファイルは999個までです。");
    EXPECT_EQ(shortCounter.messages.shown[0].icon, MessageIcon::None);
    EXPECT_EQ(shortCounter.window.closeCount, 0);

    compact.Drop(paths);
    EXPECT_TRUE(compact.fs.Exists(u"C:\\many\\05013113451021.dat"));
    EXPECT_EQ(compact.fs.renames.size(), 1000u);
    EXPECT_EQ(compact.window.closeCount, 1);
}

TEST(DropHandling, NoFileListDoesNothingAndAnEmptyListCloses)
{
    DropBench b;
    b.Drop({u"C:\\photos\\a.jpg"}, false);
    EXPECT_TRUE(b.fs.renames.empty());
    EXPECT_TRUE(b.messages.shown.empty());
    EXPECT_EQ(b.window.closeCount, 0);
    EXPECT_EQ(b.window.fields.sourcePath, u"Text1");

    b.Drop({});
    EXPECT_EQ(b.window.closeCount, 1);
}

TEST(DropHandling, EachDropStartsAfreshAfterAStop)
{
    DropBench b;
    b.window.schemes = {NamingScheme::ShortDateCounter};
    b.fs.AddFile(u"C:\\photos\\050131-001.jpg");
    b.DropThree();
    ASSERT_EQ(b.messages.shown.size(), 1u);

    // Counter 1 again, in another folder; the scheme may change between drops.
    b.fs.AddFile(u"D:\\x\\d.png");
    b.fs.AddFile(u"D:\\x\\e.png");
    b.window.schemes = {NamingScheme::ShortDateCounter, NamingScheme::Compact};
    b.Drop({u"D:\\x\\d.png", u"D:\\x\\e.png"});
    EXPECT_TRUE(b.fs.Exists(u"D:\\x\\050131-001.png"));
    EXPECT_TRUE(b.fs.Exists(u"D:\\x\\050131134523.png"));
    EXPECT_EQ(b.window.closeCount, 1);

}

TEST(DropHandling, FailureHandlingIsArmedByTheFirstSchemeStep)
{
    DropBench b;
    EXPECT_THROW(b.Drop({u"C:\\photos\\a.jpg", u"C:\\photos\\b.jpg"}, true, 1), Failure);
    EXPECT_TRUE(b.messages.shown.empty());

    b.Drop({u"C:\\photos\\a.jpg", u"C:\\photos\\b.jpg"}, true, 2);
    ASSERT_EQ(b.messages.shown.size(), 1u);
    EXPECT_EQ(b.messages.shown[0].text, kTimingFailureText);
    EXPECT_TRUE(b.fs.Exists(u"C:\\photos\\050131134522.jpg"));
}

} // namespace
