#include <gtest/gtest.h>

#include "core/failure.h"
#include "core/naming_schemes.h"
#include "core/rename_fields.h"
#include "tests/native/fakes.h"

namespace {

RenameFields Stamp(ClockReading reading, Int16 offset = 0)
{
    FakeClock clock(reading);
    RenameFields fields;
    StampNow(fields, clock, offset);
    CutYear(fields);
    PadFields(fields);
    return fields;
}

TEST(Stamp, PadsEveryOneDigitFieldAndCutsTheYear)
{
    const RenameFields fields = Stamp(Reading(2026, 1, 5, 9, 7, 3));
    EXPECT_EQ(fields.year, u"26");
    EXPECT_EQ(fields.month, u"01");
    EXPECT_EQ(fields.day, u"05");
    EXPECT_EQ(fields.hour, u"09");
    EXPECT_EQ(fields.minute, u"07");
    EXPECT_EQ(fields.second, u"03");
    EXPECT_EQ(ComposeCompactStem(fields), u"260105090703");

    const RenameFields midnight = Stamp(Reading(2000, 12, 31, 0, 0, 0));
    EXPECT_EQ(midnight.year, u"00");
    EXPECT_EQ(midnight.hour, u"00");
    EXPECT_EQ(ComposeCompactStem(midnight), u"001231000000");
}

TEST(Stamp, OffsetIsPlainAdditionWithoutCarryIntoTheMinute)
{
    EXPECT_EQ(Stamp(Reading(2005, 1, 31, 1, 1, 1), 1).second, u"02");
    EXPECT_EQ(Stamp(Reading(2005, 1, 31, 13, 45, 58), 3).second, u"61");
    EXPECT_EQ(Stamp(Reading(2005, 1, 31, 13, 45, 59), 1).second, u"60");
    EXPECT_EQ(Stamp(Reading(2005, 1, 31, 13, 45, 59), 41).second, u"100");
    EXPECT_EQ(Stamp(Reading(2005, 1, 31, 13, 45, 59), 41).minute, u"45");
    EXPECT_EQ(Stamp(Reading(2005, 1, 31, 13, 45, 0), 32767).second, u"32767");
}

TEST(Stamp, OffsetSecondPast32767IsAFailure)
{
    FakeClock clock(Reading(2005, 1, 31, 13, 45, 1));
    RenameFields fields;
    try {
        StampNow(fields, clock, 32767);
        FAIL() << "no failure";
    } catch (const Failure& failure) {
        EXPECT_EQ(failure.cause, FailureCause::NumberOverflow);
    }
    EXPECT_TRUE(fields.second.empty());
}

TEST(Stamp, ReadsTheClockOnceSoABoundaryCannotMixTwoInstants)
{
    FakeClock clock(Reading(2005, 12, 31, 23, 59, 59));
    clock.readings.push_back(Reading(2006, 1, 1, 0, 0, 0));
    RenameFields fields;
    StampNow(fields, clock, 0);
    CutYear(fields);
    PadFields(fields);
    EXPECT_EQ(clock.readCount, 1);
    EXPECT_EQ(ComposeCompactStem(fields), u"051231235959");
}

TEST(Stamp, CutYearAndPadFieldsLeaveOtherLengthsAlone)
{
    RenameFields fields;
    fields.year = u"5";
    fields.month = u"10";
    fields.second = u"105";
    fields.day = u"";
    CutYear(fields);
    PadFields(fields);
    EXPECT_EQ(fields.year, u"5");
    EXPECT_EQ(fields.month, u"10");
    EXPECT_EQ(fields.second, u"105");
    EXPECT_EQ(fields.day, u"");
}

TEST(Stamp, ClearFieldsEmptiesAllTen)
{
    FakeWindow window;
    ClearFields(window.fields);
    const RenameFields& f = window.fields;
    for (const std::u16string* field : {&f.sourcePath, &f.year, &f.month, &f.day, &f.hour, &f.minute, &f.second,
                                        &f.stem, &f.newName, &f.folder})
        EXPECT_TRUE(field->empty());
}

} // namespace
