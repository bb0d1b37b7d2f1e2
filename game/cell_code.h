// The codes a cell can hold and the conversions between them.
#pragma once

#include "colours.h"

#include <optional>

namespace chromatta {

// One cell of the board, stored as its letter: a plain box is its colour's letter in lower case
// (colours.h), the same box highlighted (a member of the selected group) in upper case, "X" an
// empty cell. NoCode is what a cell holds before the very first deal. A box's code is made with
// plainCode or highlightedCode, or written as its letter: CellCode {'b'}.
enum class CellCode : char {
    NoCode = '.',
    Empty = 'X',
};

constexpr char toChar(CellCode code)
{
    return static_cast<char>(code);
}

constexpr CellCode plainCode(int colour)
{
    return CellCode {Colours[colour].letter};
}

constexpr CellCode highlightedCode(int colour)
{
    return CellCode {char(Colours[colour].letter - 'a' + 'A')};
}

// The colour of a box, plain or highlighted (its index in Colours); nothing for any other code.
constexpr std::optional<int> colourOf(CellCode code)
{
    for (int colour = 0; colour < ColourCount; ++colour)
        if (code == plainCode(colour) || code == highlightedCode(colour))
            return colour;
    return std::nullopt;
}

constexpr bool isPlain(CellCode code)
{
    const auto colour = colourOf(code);
    return colour && code == plainCode(*colour);
}

constexpr bool isHighlighted(CellCode code)
{
    const auto colour = colourOf(code);
    return colour && code == highlightedCode(*colour);
}

constexpr bool isBox(CellCode code)
{
    return colourOf(code).has_value();
}

// The highlighted partner of a plain code; other codes are returned unchanged.
constexpr CellCode highlightedOf(CellCode code)
{
    const auto colour = colourOf(code);
    return colour ? highlightedCode(*colour) : code;
}

// The plain partner of a highlighted code; other codes are returned unchanged.
constexpr CellCode plainOf(CellCode code)
{
    const auto colour = colourOf(code);
    return colour ? plainCode(*colour) : code;
}

// The code a board letter stands for; nothing for any other character (also '.').
constexpr std::optional<CellCode> cellCodeFromChar(char c)
{
    const CellCode code {c};
    if (code == CellCode::Empty || isBox(code))
        return code;
    return std::nullopt;
}

} // namespace chromatta
