#pragma once

#include <windows.h>

#include <array>

#include "ui/layout.h"
#include "ui/scoped_win.h"

// The form's four fonts at one DPI, created together and freed together.
class FormFonts {
public:
    explicit FormFonts(UINT dpi);
    HFONT For(FontRole role) const { return fonts[static_cast<std::size_t>(role)].get(); }

private:
    std::array<ScopedFont, 4> fonts;
};
