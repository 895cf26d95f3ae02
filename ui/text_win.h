#pragma once

#include <string>

// On Windows wchar_t is one UTF-16 code unit: the texts cross the boundary unchanged.
static_assert(sizeof(wchar_t) == sizeof(char16_t));

inline std::wstring ToWide(const std::u16string& text)
{
    return std::wstring(text.begin(), text.end());
}

inline std::u16string FromWide(const wchar_t* text)
{
    const std::wstring_view view(text);
    return std::u16string(view.begin(), view.end());
}
