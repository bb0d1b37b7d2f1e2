// The colours of the boxes: the one table that defines them for the rules and the window.
#pragma once

#include <iterator>
#include <string_view>

namespace chromatta {

// One colour of box. Adding a colour is a line here and its pictures in the asset generator
// (devtools/make_assets); the window then finds it a place in its count row.
struct Colour
{
    // The cell code of a plain box of this colour, a lower-case letter; highlighted, the same
    // letter in upper case.
    char letter;
    // The name its pictures go by: box-NAME, box-NAME-highlighted and swatch-NAME; the window's
    // swatch and count are NAMESwatch and NAMECount.
    std::string_view name;
    // The deal gives a cell this colour when its kept draw v has (v - 1) mod ColourCount equal
    // to this.
    int dealtOn;
};

// In the order the window shows their counts, left to right. The reshuffle goes round them in
// this order too (reshuffle.cpp).
inline constexpr Colour Colours[] = {
    {'r', "red", 2},
    {'b', "violet", 0},
    {'g', "green", 1},
    {'y', "yellow", 3},
};
inline constexpr int ColourCount = int(std::size(Colours));

} // namespace chromatta
