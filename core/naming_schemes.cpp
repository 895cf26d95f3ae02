#include "core/naming_schemes.h"

#include "core/clock.h"

namespace {

int DecimalValue(const std::u16string& text)
{
    int value = 0;
    for (char16_t digit : text)
        value = value * 10 + (digit - u'0');
    return value;
}

} // namespace

std::optional<std::u16string> CounterText(Int16 counter)
{
    const std::u16string digits = DecimalText(counter);
    if (digits.size() > 3)
        return std::nullopt;
    return std::u16string(3 - digits.size(), u'0') + digits;
}

void AdjustSecond(RenameFields& fields, Clock& clock, Int16 counter)
{
    const int stamped = DecimalValue(fields.second);
    if (clock.ReadClock().second != stamped)
        return;
    std::u16string adjusted = DecimalText(ToInt16(static_cast<long long>(stamped) + counter));
    if (adjusted.size() == 1)
        adjusted.insert(adjusted.begin(), u'0');
    fields.second = adjusted;
}

StemResult ComposeStem(NamingScheme scheme, RenameFields& fields, Int16 counter, int stampYear)
{
    const RenameFields& f = fields;
    switch (scheme) {
    case NamingScheme::Compact:
        fields.stem = f.year + f.month + f.day + f.hour + f.minute + f.second;
        return StemResult::Composed;
    case NamingScheme::Dashed:
        fields.stem = f.year + u'-' + f.month + u'-' + f.day + u'-' + f.hour + u'-' + f.minute + u'-' + f.second;
        return StemResult::Composed;
    case NamingScheme::ShortDateCounter:
    case NamingScheme::LongDateCounter: {
        const std::optional<std::u16string> counterText = CounterText(counter);
        if (!counterText)
            return StemResult::CounterLimit;
        const std::u16string year = scheme == NamingScheme::LongDateCounter ? DecimalText(stampYear) : f.year;
        fields.stem = year + f.month + f.day + u'-' + *counterText;
        return StemResult::Composed;
    }
    }
    return StemResult::Composed;
}
