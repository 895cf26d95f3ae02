#pragma once

#include <string>

#include "core/rename_fields.h"

// yymmddhhmmss from the stamped fields, no separators.
std::u16string ComposeCompactStem(const RenameFields& fields);
