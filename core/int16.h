#pragma once

#include <cstdint>

// Counters, positions and the offset second are 16-bit signed numbers: a step
// that would take one past 32767 is a failure, never a silent wrap.
using Int16 = std::int16_t;

// The value as a 16-bit number; throws Failure(NumberOverflow) when it does not fit.
Int16 ToInt16(long long value);

// value + 1, failing past 32767.
Int16 StepInt16(Int16 value);
