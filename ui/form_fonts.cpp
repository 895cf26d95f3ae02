#include "ui/form_fonts.h"

#include "ui/win32_error.h"

namespace {

struct FontFace {
    const wchar_t* face;
    BYTE charset;
    int hundredthsOfPoint;
};

// Indexed by FontRole. The window's own font is a Japanese proportional
// Gothic of 9 points; all of them have normal weight.
constexpr FontFace kFaces[] = {
    {L"ＭＳ Ｐゴシック", SHIFTJIS_CHARSET, 900},  // Default
    {L"ＭＳ Ｐゴシック", SHIFTJIS_CHARSET, 825},  // Credit
    {L"ＭＳ Ｐゴシック", SHIFTJIS_CHARSET, 1125}, // Heading
    {L"Impact", ANSI_CHARSET, 2025},              // Title
};

ScopedFont CreateFormFont(const FontFace& face, UINT dpi)
{
    const int height = -MulDiv(face.hundredthsOfPoint, static_cast<int>(dpi), 7200);
    ScopedFont font(CreateFontW(height, 0, 0, 0, FW_NORMAL, FALSE, FALSE, FALSE, face.charset, OUT_DEFAULT_PRECIS,
                                CLIP_DEFAULT_PRECIS, DEFAULT_QUALITY, DEFAULT_PITCH | FF_DONTCARE, face.face));
    if (!font)
        ThrowLastError("CreateFontW");
    return font;
}

} // namespace

FormFonts::FormFonts(UINT dpi)
{
    for (std::size_t role = 0; role < fonts.size(); ++role)
        fonts[role] = CreateFormFont(kFaces[role], dpi);
}
