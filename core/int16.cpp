#include "core/int16.h"

#include <limits>

#include "core/failure.h"

Int16 ToInt16(long long value)
{
    if (value < std::numeric_limits<Int16>::min() || value > std::numeric_limits<Int16>::max())
        throw Failure(FailureCause::NumberOverflow);
    return static_cast<Int16>(value);
}

Int16 StepInt16(Int16 value)
{
    return ToInt16(static_cast<long long>(value) + 1);
}
