#include <gtest/gtest.h>

#include "core/failure.h"
#include "core/naming_schemes.h"
#include "core/rename_fields.h"
#include "tests/native/fakes.h"

namespace {

std::u16string CompactStemAt(FakeClock& clock, Int16 offset = 0)
{
    RenameFields fields;
    const ClockReading stamp = StampNow(fields, clock, offset);
    CutYear(fields);
    PadFields(fields);
    ComposeStem(NamingScheme::Compact, fields, 1, stamp.year);
    return fields.stem;
}

TEST(Stamp, PadsOneDigitFieldsAndCutsTheYear)
{
    struct Case {
        ClockReading reading;
        Int16 offset;
        const char16_t* stem;
    } const cases[] = {
        {Reading(2026, 1, 5, 9, 7, 3), 0, u"260105090703"},
        {Reading(2000, 12, 31, 0, 0, 0), 0, u"001231000000"}, // midnight and the year 2000
        {Reading(2005, 1, 31, 1, 1, 1), 1, u"050131010102"},
        // The offset is plain addition: no carry into the minute, no padding past two digits.
        {Reading(2005, 1, 31, 13, 45, 58), 3, u"050131134561"},
        {Reading(2005, 1, 31, 13, 45, 59), 41, u"0501311345100"},
        {Reading(2005, 1, 31, 13, 45, 0), 32767, u"050131134532767"},
        {Reading(5, 1, 31, 13, 45, 0), 0, u"50131134500"}, // a short year is kept whole
    };
    for (const Case& c : cases) {
        FakeClock clock(c.reading);
        EXPECT_EQ(CompactStemAt(clock, c.offset), c.stem);
    }
}

TEST(Stamp, ReadsTheClockOnceAndFailsPast32767)
{
    // 23:59:59 on New Year's Eve followed by midnight: one reading, one instant.
    FakeClock clock(Reading(2005, 12, 31, 23, 59, 59));
    clock.readings.push_back(Reading(2006, 1, 1, 0, 0, 0));
    EXPECT_EQ(CompactStemAt(clock), u"051231235959");
    EXPECT_EQ(clock.readCount, 1);

    FakeClock late(Reading(2005, 1, 31, 13, 45, 1));
    RenameFields fields;
    try {
        StampNow(fields, late, 32767);
        FAIL() << "no failure";
    } catch (const Failure& failure) {
        EXPECT_EQ(failure.cause, FailureCause::NumberOverflow);
    }
}

} // namespace
