#include "core/rename_fields.h"

#include <string>

std::u16string DecimalText(long long value)
{
    // Digits from the last; a negative value counts down so that the
    // smallest one has no positive counterpart to overflow.
    std::u16string text;
    for (long long rest = value; text.empty() || rest != 0; rest /= 10)
        text.insert(text.begin(), static_cast<char16_t>(u'0' + (value < 0 ? -(rest % 10) : rest % 10)));
    if (value < 0)
        text.insert(text.begin(), u'-');
    return text;
}

void ClearFields(RenameFields& fields)
{
    fields = RenameFields{};
}

ClockReading StampNow(RenameFields& fields, Clock& clock, Int16 secondOffset)
{
    // One reading for all six fields: separate readings taken across a
    // boundary would mix two instants (23:59:59 on 31 December could give
    // the next year with the old month).
    const ClockReading now = clock.ReadClock();
    fields.year = DecimalText(now.year);
    fields.month = DecimalText(now.month);
    fields.day = DecimalText(now.day);
    fields.hour = DecimalText(now.hour);
    fields.minute = DecimalText(now.minute);
    fields.second = DecimalText(ToInt16(static_cast<long long>(now.second) + secondOffset));
    return now;
}

ClockReading BeginFile(RenameFields& fields, const std::u16string& sourcePath, Clock& clock, Int16 secondOffset)
{
    ClearFields(fields);
    fields.sourcePath = sourcePath;
    const ClockReading stamp = StampNow(fields, clock, secondOffset);
    CutYear(fields);
    PadFields(fields);
    return stamp;
}

void CutYear(RenameFields& fields)
{
    if (fields.year.size() > 2)
        fields.year.erase(0, fields.year.size() - 2);
}

void PadFields(RenameFields& fields)
{
    for (std::u16string* field : {&fields.month, &fields.day, &fields.hour, &fields.minute, &fields.second}) {
        if (field->size() == 1)
            field->insert(field->begin(), u'0');
    }
}
