#pragma once

#include <cstdint>

// A colour as Windows keeps it (COLORREF): 0x00BBGGRR.
using Colour = std::uint32_t;

constexpr Colour Rgb(std::uint8_t red, std::uint8_t green, std::uint8_t blue)
{
    return Colour{red} | Colour{green} << 8 | Colour{blue} << 16;
}

// The colour each control of the window's table is drawn in.
enum class ColourRole {
    System, // the text boxes keep the system's colours; Picture1 and Image1 have their own fields
    Accent, // the yellow labels: the title, the credit and the mode headings
    Body,   // the white labels
    Option, // Option1(0) to Option1(3)
    Frame,  // the outlines Shape1 and Shape2
};

// The two system colours the window draws with.
struct SystemColours {
    Colour window;     // COLOR_WINDOW
    Colour windowText; // COLOR_WINDOWTEXT
};

struct TextColours {
    Colour text;
    Colour background;
    bool operator==(const TextColours&) const = default;
};

struct FormColours {
    Colour window;      // the client area behind the controls, and Image1's background
    TextColours accent; // the yellow labels
    TextColours body;   // the white ones
    TextColours option;
    Colour frame;
    Colour picture1; // its background, around the icon
    Colour focus;    // Picture1's focus rectangle
    bool operator==(const FormColours&) const = default;
};

// The form's own colours, readable in any scheme; in a contrast theme the
// theme's, as Windows asks of every program there.
FormColours ChooseFormColours(bool highContrast, SystemColours system);
