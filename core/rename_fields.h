#pragma once

#include <string>

#include "core/clock.h"
#include "core/int16.h"

// The working record of one rename. The window owns the only one and shows
// each field in its own box.
struct RenameFields {
    std::u16string sourcePath;
    std::u16string year;
    std::u16string month;
    std::u16string day;
    std::u16string hour;
    std::u16string minute;
    std::u16string second;
    std::u16string stem;
    std::u16string newName;
    std::u16string folder;

    bool operator==(const RenameFields&) const = default;
};

// Decimal text without sign or leading zeros ("-" first for negatives).
std::u16string DecimalText(long long value);

void ClearFields(RenameFields& fields);

// Writes year, month, day, hour, minute and second from one reading of the
// clock; second is the clock's second plus secondOffset, with no carry into
// the minute (58 + 3 gives 61). Fails when that sum passes 32767. Returns
// the reading, whose full year the long counter scheme needs.
ClockReading StampNow(RenameFields& fields, Clock& clock, Int16 secondOffset);

// The start of every file's work: ClearFields, sourcePath, StampNow, CutYear,
// PadFields. Returns the stamp's reading.
ClockReading BeginFile(RenameFields& fields, const std::u16string& sourcePath, Clock& clock, Int16 secondOffset);

// year keeps its last two characters (2005 gives 05).
void CutYear(RenameFields& fields);

// A one-character month, day, hour, minute or second gets a leading "0".
void PadFields(RenameFields& fields);
