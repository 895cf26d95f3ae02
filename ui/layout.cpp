#include "ui/layout.h"

namespace {

constexpr RECT At(int left, int top, int width, int height)
{
    return RECT{left, top, left + width, top + height};
}

// The four option buttons overlap by one pixel, as the form was drawn.
constexpr ControlRow kLayout[] = {
    {ControlKind::OptionButton, L"Option1(0)", kOption1Id + 0, At(35, 287, 148, 22), L"050131010101  (Default)"},
    {ControlKind::OptionButton, L"Option1(1)", kOption1Id + 1, At(35, 308, 148, 22), L"05-01-31-01-01-01"},
    {ControlKind::OptionButton, L"Option1(2)", kOption1Id + 2, At(35, 329, 148, 22), L"050131-***"},
    {ControlKind::OptionButton, L"Option1(3)", kOption1Id + 3, At(35, 350, 148, 22), L"20050131-***"},
    {ControlKind::Picture, L"Picture1", kPicture1Id, At(224, 315, 32, 32), nullptr},
};

} // namespace

std::span<const ControlRow> Form1Layout()
{
    return kLayout;
}
