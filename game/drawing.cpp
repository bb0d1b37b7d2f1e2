// The board redrawn, the next-level threshold shown, and the timer's tick.
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
    case CellCode::Yellow:
        return Holder::Yellow;
    case CellCode::Red:
        return Holder::Red;
    case CellCode::Green:
        return Holder::Green;
    case CellCode::Violet:
        return Holder::Violet;
    case CellCode::YellowHighlighted:
        return Holder::YellowHighlighted;
    case CellCode::RedHighlighted:
        return Holder::RedHighlighted;
    case CellCode::GreenHighlighted:
        return Holder::GreenHighlighted;
    case CellCode::VioletHighlighted:
        return Holder::VioletHighlighted;
    default:
        return std::nullopt; // "X" shows the surface's background
    }
}

} // namespace

std::optional<std::int64_t> nextLevelThreshold(std::int64_t level)
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
    return std::int64_t(std::pow(double(level) + 1, 2) * factor);
}

void Game::drawBoard()
{
    toolkit_.clearSurface();
    // Every picture is stretched to the size of the violet holder, a cell, whatever its own.
    const TwipSize cell = toolkit_.holderSize(Holder::Violet);
    for (int column = 0; column < Board::Columns; ++column) {
        for (int row = 0; row < Board::Rows; ++row) {
            const auto holder = holderFor(state_.board.at(row, column));
            if (!holder)
                continue;
            toolkit_.paintPicture({*holder, BoardGrid::Left + cell.width * column,
                                   BoardGrid::Top + cell.height * row, cell.width, cell.height});
        }
    }
    if (const auto threshold = nextLevelThreshold(state_.level)) {
        // Built in place: this runs on every tick, and the text rarely changes.
        constexpr std::string_view prefix = "NEXT LEVEL: ";
        std::array<char, prefix.size() + 20> text {};
        prefix.copy(text.data(), prefix.size());
        const NumberText digits(*threshold);
        const std::string_view number = digits.view();
        number.copy(text.data() + prefix.size(), number.size());
        captions_.set(Label::NextLevelThreshold, {text.data(), prefix.size() + number.size()});
    }
}

void Game::tick()
{
    const HandlerScope scope {*this};
    captions_.setNumber(Label::ReshuffleCost, nextReshuffleCost());
    closeEmptyColumns();
    dropBoxes();
    drawBoard();
}

} // namespace chromatta
