#pragma once

#include <optional>
#include <string>

#include "core/int16.h"
#include "core/rename_fields.h"

class Clock;

// The value is the index of the option button that selects the scheme.
enum class NamingScheme {
    Compact = 0,          // yymmddhhmmss
    Dashed = 1,           // yy-mm-dd-hh-mm-ss
    ShortDateCounter = 2, // yymmdd-NNN
    LongDateCounter = 3,  // yyyymmdd-NNN
};

// Not a failure: the counter schemes name at most 999 files of one batch.
enum class StemResult { Composed, CounterLimit };

// The counter as three digits (7 gives 007); none from 1000 on.
std::optional<std::u16string> CounterText(Int16 counter);

// Gives the file its own second: when a later reading of the clock is still
// in the stamped second, second becomes second + counter (no carry into the
// minute, 58 + 3 gives 61); when the clock has moved on, second is kept.
// Fails, leaving second unchanged, when the sum passes 32767.
void AdjustSecond(RenameFields& fields, Clock& clock, Int16 counter);

// Writes stem for the scheme, or reports CounterLimit and leaves it alone.
// stampYear is the full year of the reading that stamped the fields: the
// long counter scheme takes its four digits from it, so that a stem composed
// just after New Year's midnight cannot pair the new year with the old date.
StemResult ComposeStem(NamingScheme scheme, RenameFields& fields, Int16 counter, int stampYear);
