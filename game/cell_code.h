// The nine codes a cell can hold and the conversions between them.
#pragma once

#include <optional>

namespace chromatta {

// One cell of the board. Plain boxes are lower-case, the same boxes highlighted are upper-case,
// "X" is an empty cell. NoCode is what a cell holds before the very first deal.
enum class CellCode : char {
    NoCode = '.',
    b = 'b',
    g = 'g',
    r = 'r',
    y = 'y',
    B = 'B',
    G = 'G',
    R = 'R',
    Y = 'Y',
    X = 'X',
};

constexpr bool isPlain(CellCode code)
{
    return code == CellCode::b || code == CellCode::g || code == CellCode::r || code == CellCode::y;
}

constexpr bool isHighlighted(CellCode code)
{
    return code == CellCode::B || code == CellCode::G || code == CellCode::R || code == CellCode::Y;
}

// The upper-case partner of a plain code; other codes are returned unchanged.
constexpr CellCode highlightedOf(CellCode code)
{
    switch (code) {
    case CellCode::b:
        return CellCode::B;
    case CellCode::g:
        return CellCode::G;
    case CellCode::r:
        return CellCode::R;
    case CellCode::y:
        return CellCode::Y;
    default:
        return code;
    }
}

// The lower-case partner of a highlighted code; other codes are returned unchanged.
constexpr CellCode plainOf(CellCode code)
{
    switch (code) {
    case CellCode::B:
        return CellCode::b;
    case CellCode::G:
        return CellCode::g;
    case CellCode::R:
        return CellCode::r;
    case CellCode::Y:
        return CellCode::y;
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
