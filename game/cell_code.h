// The nine codes a cell can hold and the conversions between them.
#pragma once

#include <optional>

namespace chromatta {

// One cell of the board, stored as its letter: plain boxes are lower-case, the same boxes
// highlighted (members of the selected group) upper-case, "X" an empty cell. The box of letter
// "b" is drawn violet. NoCode is what a cell holds before the very first deal.
enum class CellCode : char {
    NoCode = '.',
    Violet = 'b',
    Green = 'g',
    Red = 'r',
    Yellow = 'y',
    VioletHighlighted = 'B',
    GreenHighlighted = 'G',
    RedHighlighted = 'R',
    YellowHighlighted = 'Y',
    Empty = 'X',
};

constexpr bool isPlain(CellCode code)
{
    return code == CellCode::Violet || code == CellCode::Green || code == CellCode::Red ||
        code == CellCode::Yellow;
}

constexpr bool isHighlighted(CellCode code)
{
    return code == CellCode::VioletHighlighted || code == CellCode::GreenHighlighted ||
        code == CellCode::RedHighlighted || code == CellCode::YellowHighlighted;
}

constexpr bool isBox(CellCode code)
{
    return isPlain(code) || isHighlighted(code);
}

// The highlighted partner of a plain code; other codes are returned unchanged.
constexpr CellCode highlightedOf(CellCode code)
{
    switch (code) {
    case CellCode::Violet:
        return CellCode::VioletHighlighted;
    case CellCode::Green:
        return CellCode::GreenHighlighted;
    case CellCode::Red:
        return CellCode::RedHighlighted;
    case CellCode::Yellow:
        return CellCode::YellowHighlighted;
    default:
        return code;
    }
}

// The plain partner of a highlighted code; other codes are returned unchanged.
constexpr CellCode plainOf(CellCode code)
{
    switch (code) {
    case CellCode::VioletHighlighted:
        return CellCode::Violet;
    case CellCode::GreenHighlighted:
        return CellCode::Green;
    case CellCode::RedHighlighted:
        return CellCode::Red;
    case CellCode::YellowHighlighted:
        return CellCode::Yellow;
    default:
        return code;
    }
}

constexpr char toChar(CellCode code)
{
    return static_cast<char>(code);
}

// The code a board letter stands for; nothing for any other character (also '.').
constexpr std::optional<CellCode> cellCodeFromChar(char c)
{
    switch (c) {
    case 'b':
    case 'g':
    case 'r':
    case 'y':
    case 'B':
    case 'G':
    case 'R':
    case 'Y':
    case 'X':
        return static_cast<CellCode>(c);
    default:
        return std::nullopt;
    }
}

} // namespace chromatta
