#include "app/form_colours.h"

FormColours ChooseFormColours(bool highContrast, SystemColours system)
{
    if (highContrast) {
        const TextColours plain{system.windowText, system.window};
        return {system.window, plain, plain, plain, system.windowText, system.window, system.windowText};
    }
    constexpr Colour black = Rgb(0, 0, 0);
    constexpr Colour white = Rgb(255, 255, 255);
    // The options invert the window's scheme: white on black in the standard
    // one, and still two colours the scheme keeps apart in any other.
    return {black, {Rgb(255, 255, 0), black}, {white, black}, {system.window, system.windowText}, Rgb(0, 0, 128), black,
            white};
}
