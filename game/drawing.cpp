// The board redrawn, the NEXT LEVEL label and the timer's tick.
#include "board_geometry.h"
#include "game.h"

#include <array>
#include <cmath>
#include <string_view>

namespace chromatta {

namespace {

std::optional<Holder> holderFor(CellCode code)
{
    switch (code) {
    case CellCode::y:
        return Holder::y;
    case CellCode::r:
        return Holder::r;
    case CellCode::g:
        return Holder::g;
    case CellCode::b:
        return Holder::b;
    case CellCode::Y:
        return Holder::yh;
    case CellCode::R:
        return Holder::rh;
    case CellCode::G:
        return Holder::gh;
    case CellCode::B:
        return Holder::bh;
    default:
        return std::nullopt; // "X" shows the surface's background
    }
}

} // namespace

std::optional<std::int64_t> NextLevelThreshold(double level)
{
    double factor = 0;
    if (level < 3)
        factor = 50000;
    else if (level < 5)
        factor = 40000;
    else if (level < 10)
        factor = 35000;
    else
        return std::nullopt;
    return std::int64_t(std::pow(level + 1, 2) * factor);
}

void Game::DrawBoard()
{
    toolkit_.clearSurface();
    // Every picture is stretched to the cell of holder b, whatever its own size.
    const TwipSize cell = toolkit_.holderSize(Holder::b);
    for (int column = 0; column < Board::Columns; ++column) {
        for (int row = 0; row < Board::Rows; ++row) {
            const auto holder = holderFor(state_.board.at(row, column));
            if (!holder)
                continue;
            toolkit_.paintPicture({*holder, BoardGrid::Left + cell.width * column,
                                   BoardGrid::Top + cell.height * row, cell.width, cell.height});
        }
    }
    const auto level = double(captions_.readNumber(Label::lvl));
    if (const auto threshold = NextLevelThreshold(level)) {
        // Built in place: this runs on every tick, and the text rarely changes.
        constexpr std::string_view prefix = "NEXT LEVEL: ";
        std::array<char, prefix.size() + 20> text {};
        prefix.copy(text.data(), prefix.size());
        const NumberText digits(*threshold);
        const std::string_view number = digits.view();
        number.copy(text.data() + prefix.size(), number.size());
        captions_.set(Label::NEXTLEVEL, {text.data(), prefix.size() + number.size()});
    }
}

void Game::Timer1_Timer()
{
    const HandlerScope scope {*this};
    captions_.setNumber(Label::Nmmc, nextResetCost());
    CloseEmptyColumns();
    DropBoxes();
    DrawBoard();
}

} // namespace chromatta
