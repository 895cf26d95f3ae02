#include "core/naming_schemes.h"

std::u16string ComposeCompactStem(const RenameFields& fields)
{
    return fields.year + fields.month + fields.day + fields.hour + fields.minute + fields.second;
}
