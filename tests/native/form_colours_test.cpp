// The window's colours: the form's own in the standard scheme, and readable
// text and visible frames in every contrast theme and in a dark scheme.
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>

#include "app/form_colours.h"

namespace {

// WCAG 2's contrast ratio, from each colour's relative luminance.
double Contrast(Colour a, Colour b)
{
    auto luminance = [](Colour c) {
        double sum = 0;
        for (const auto& [shift, weight] : {std::pair(0, 0.2126), {8, 0.7152}, {16, 0.0722}}) {
            const double v = ((c >> shift) & 0xFF) / 255.0;
            sum += weight * (v <= 0.03928 ? v / 12.92 : std::pow((v + 0.055) / 1.055, 2.4));
        }
        return sum;
    };
    const double one = luminance(a), other = luminance(b);
    return (std::max(one, other) + 0.05) / (std::min(one, other) + 0.05);
}

TEST(FormColours, TheFormsOwnInTheStandardSchemeReadableInEveryOther)
{
    constexpr Colour white = Rgb(255, 255, 255), black = Rgb(0, 0, 0);
    EXPECT_EQ(
        ChooseFormColours(false, {white, black}),
        (FormColours{black, {Rgb(255, 255, 0), black}, {white, black}, {white, black}, Rgb(0, 0, 128), black, white}));
    // Windows 11's Aquatic, Desert, Dusk and Night sky; a dark scheme without a theme is the in-process window test's.
    for (const auto& [window, text] :
         {std::pair(Rgb(0x20, 0x20, 0x20), white),
          {Rgb(0xFF, 0xFA, 0xEF), Rgb(0x3D, 0x3D, 0x3D)},
          {Rgb(0x2D, 0x32, 0x36), white},
          {black, white}}) {
        SCOPED_TRACE(testing::Message() << std::hex << window << " " << text);
        const FormColours colours = ChooseFormColours(true, {window, text});
        for (const TextColours& shown : {colours.accent, colours.body, colours.option})
            EXPECT_GE(Contrast(shown.text, shown.background), 4.5);
        EXPECT_GE(Contrast(colours.focus, colours.picture1), 3.0);
        EXPECT_GE(Contrast(colours.frame, colours.window), 3.0);
    }
}

} // namespace
