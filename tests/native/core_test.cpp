// The renaming core, a table per family.
#include <gtest/gtest.h>

#include "core/finish_rename.h"
#include "core/naming_schemes.h"
#include "tests/native/fakes.h"

namespace {

// What made the operation fail; PlatformCall, which no case expects, when nothing did.
FailureCause CauseOf(auto&& operation)
try {
    operation();
    return FailureCause::PlatformCall;
} catch (const Failure& failure) {
    return failure.cause;
}

TEST(Stamp, OneReadingPaddedAndCutWithTheOffsetAddedWithoutCarry)
{
    for (const auto& [reading, offset, stem] :
         {std::tuple(ClockReading{2026, 1, 5, 9, 7, 3}, 0, u"260105090703"),
          {ClockReading{2000, 12, 31, 0, 0, 0}, 0, u"001231000000"},
          {ClockReading{2005, 1, 31, 13, 45, 58}, 3, u"050131134561"},
          {ClockReading{5, 1, 31, 13, 45, 59}, 41, u"501311345100"},
          {ClockReading{2005, 1, 31, 13, 45, 0}, 32767, u"050131134532767"}}) {
        FakeClock clock(reading);
        RenameFields fields;
        ComposeStem(NamingScheme::Compact, fields, 1, BeginFile(fields, u"C:\\a.jpg", clock, Int16(offset)).year);
        EXPECT_EQ(fields.stem, stem);
    }
}

TEST(NamingSchemes, AdjustSecondThenComposeStem)
{
    RenameFields fields;
    fields.year = u"05", fields.month = u"01", fields.day = u"31", fields.hour = u"13", fields.minute = u"45";
    // second as stamped, the clock's second at the check, the counter: second afterwards, or an overflow
    for (const auto& [stamped, clockSecond, counter, adjusted, overflows] :
         {std::tuple(u"21", 21, 1, u"22", false),
          {u"21", 22, 1, u"21", false},
          {u"00", 0, 9, u"09", false},
          {u"59", 59, 41, u"100", false},
          {u"00", 0, 32767, u"32767", false},
          {u"01", 1, 32767, u"01", true}}) {
        fields.second = stamped;
        FakeClock clock(ClockReading{2005, 1, 31, 13, 45, clockSecond});
        EXPECT_EQ(CauseOf([&] { AdjustSecond(fields, clock, Int16(counter)); }) == FailureCause::NumberOverflow,
                  overflows);
        EXPECT_EQ(fields.second, adjusted);
    }
    using enum NamingScheme;
    for (const auto& [scheme, counter, stem] :
         {std::tuple(Compact, 5000, u"050131134521"),
          {ShortDateCounter, 7, u"050131-007"},
          {ShortDateCounter, 999, u"050131-999"},
          {LongDateCounter, 1000, u""}}) {
        fields.second = u"21", fields.stem.clear();
        const StemResult result = ComposeStem(scheme, fields, Int16(counter), 2005);
        EXPECT_EQ(fields.stem, stem);
        EXPECT_EQ(result, *stem ? StemResult::Composed : StemResult::CounterLimit);
    }
}

// The file's own name starts after the last "\" or "/": the extension is its own, the folder the one the path names.
TEST(PathSplit, TheFilesOwnNameGivesTheExtensionAndTheFolder)
{
    const std::u16string n254(254, u'n'), longest = u"C:\\" + std::u16string(32764, u'a');
    for (const auto& [path, extension, folder] :
         {std::tuple<std::u16string, std::u16string, std::u16string>(u"C:\\p\\archive.tar.gz", u"gz", u"C:\\p"),
          {u"\\\\server\\share\\.profile", u"profile", u"\\\\server\\share"},
          {u"C:\\写真.\U0001F4F7", u"\U0001F4F7", u"C:"},
          {u"C:\\my.docs\\README", u"", u"C:\\my.docs"},
          {u"C:\\x\\my.dir/README", u"", u"C:\\x\\my.dir"},
          {u"C:\\x\\../y/a.JPG", u"JPG", u"C:\\x\\../y"},
          {u"C:\\x\\." + n254, n254, u"C:\\x"},
          {u"C:\\x\\." + n254 + u"n", u"", u"C:\\x"},
          {longest, u"", u"C:"}}) {
        EXPECT_EQ(SplitExtension(path), extension);
        EXPECT_EQ(SplitFolder(path), folder);
    }
    EXPECT_EQ(CauseOf([] { SplitFolder(u"C:a.jpg"); }), FailureCause::NoFolderInPath);
    EXPECT_EQ(CauseOf([&] { SplitFolder(longest + u"a"); }), FailureCause::NumberOverflow);
}

} // namespace
