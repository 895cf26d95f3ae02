#include <gtest/gtest.h>

#include "core/failure.h"
#include "core/naming_schemes.h"
#include "tests/native/fakes.h"

namespace {

// Fields stamped on 31 January 2005 at 13:45 and the given second.
RenameFields StampedAt(const char16_t* second)
{
    RenameFields fields;
    fields.year = u"05";
    fields.month = u"01";
    fields.day = u"31";
    fields.hour = u"13";
    fields.minute = u"45";
    fields.second = second;
    return fields;
}

TEST(AdjustSecond, AddsTheCounterOnlyWhileTheClockIsInTheStampedSecond)
{
    struct Case {
        const char16_t* stamped;
        int clockSecond;
        Int16 counter;
        const char16_t* adjusted;
    } const cases[] = {
        {u"21", 21, 1, u"22"},   {u"21", 22, 1, u"21"}, // clock moved on: kept
        {u"01", 1, 1, u"02"},    {u"00", 0, 9, u"09"},  // short sums padded
        {u"58", 58, 3, u"61"},   {u"59", 59, 41, u"100"}, {u"58", 58, 120, u"178"},
        {u"21", 21, 1000, u"1021"}, {u"00", 0, 32767, u"32767"},
    };
    for (const Case& c : cases) {
        RenameFields fields = StampedAt(c.stamped);
        FakeClock clock(Reading(2005, 1, 31, 13, 45, c.clockSecond));
        AdjustSecond(fields, clock, c.counter);
        EXPECT_EQ(fields.second, c.adjusted);
    }

    RenameFields fields = StampedAt(u"01");
    FakeClock clock(Reading(2005, 1, 31, 13, 45, 1));
    EXPECT_THROW(AdjustSecond(fields, clock, 32767), Failure);
    EXPECT_EQ(fields.second, u"01");
}

TEST(ComposeStem, FourSchemesAndTheCounterBoundaries)
{
    struct Case {
        NamingScheme scheme;
        Int16 counter;
        const char16_t* stem; // nullptr: CounterLimit
    } const cases[] = {
        {NamingScheme::Compact, 1, u"050131134521"},
        {NamingScheme::Compact, 5000, u"050131134521"}, // the counter is not part of the name
        {NamingScheme::Dashed, 1, u"05-01-31-13-45-21"},
        {NamingScheme::ShortDateCounter, 1, u"050131-001"},
        {NamingScheme::ShortDateCounter, 9, u"050131-009"},
        {NamingScheme::ShortDateCounter, 10, u"050131-010"},
        {NamingScheme::ShortDateCounter, 99, u"050131-099"},
        {NamingScheme::ShortDateCounter, 100, u"050131-100"},
        {NamingScheme::ShortDateCounter, 999, u"050131-999"},
        {NamingScheme::ShortDateCounter, 1000, nullptr},
        {NamingScheme::LongDateCounter, 12, u"20050131-012"},
        {NamingScheme::LongDateCounter, 1000, nullptr},
    };
    for (const Case& c : cases) {
        RenameFields fields = StampedAt(u"21");
        const StemResult result = ComposeStem(c.scheme, fields, c.counter, 2005);
        EXPECT_EQ(result, c.stem ? StemResult::Composed : StemResult::CounterLimit);
        EXPECT_EQ(fields.stem, c.stem ? c.stem : u"");
    }
}

} // namespace
