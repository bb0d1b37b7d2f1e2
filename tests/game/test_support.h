// What the tests of the rules share: draws they choose, the level thresholds, a game to play on.
#pragma once

#include "board_geometry.h"
#include "board_text.h"
#include "draws.h"
#include "game.h"
#include "labels.h"
#include "random.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <deque>
#include <map>
#include <optional>
#include <string>
#include <vector>

namespace chromatta::test {

// Draws for randomInRange: the queued ones first, then those of a generator that takes the
// clock's reseeds, as the window's does. Every draw is counted and every reseed noted.
class FixedDraws : public DrawSource
{
public:
    FixedDraws() = default;
    explicit FixedDraws(std::deque<double> draws)
        : draws(std::move(draws))
    { }

    double draw() override
    {
        ++drawn;
        if (draws.empty())
            return generator_.draw();
        const double u = draws.front();
        draws.pop_front();
        return u;
    }
    void reseed(std::int64_t number) override
    {
        reseeds.push_back(number);
        generator_.reseed(number);
    }

    std::deque<double> draws;
    std::vector<std::int64_t> reseeds;
    int drawn = 0;

private:
    Generator generator_;
};

// The draw that makes randomInRange(low, high) give v, for 1 <= v < high + 1.
inline double drawFor(int v, int high)
{
    return double(v) / double(high + 1);
}

// The points needed to leave each level that has a next one.
inline const std::map<int, std::int64_t> LevelThresholds = {
    {1, 200000},  {2, 450000},  {3, 640000},  {4, 1000000}, {5, 1260000},
    {6, 1715000}, {7, 2240000}, {8, 2835000}, {9, 3500000},
};

// A game on draws a test may queue. start() replaces it by a game that starts from a record:
// from a board written as seven rows, and anything else the test gives.
struct RulesFixture : ::testing::Test
{
    FixedDraws draws;
    FixedClock clock;
    std::optional<Game> game {std::in_place, draws, clock};

    void start(const std::vector<std::string> &rows, GameState state = {})
    {
        state.board = boardOf(rows);
        game.emplace(draws, clock, state);
    }
    std::vector<std::string> rows() const { return rowsOf(game->state().board); }
    std::string label(Label label) const { return labelText(label, game->state()); }
    // The count shown for the colour of this letter.
    std::string count(char letter) const
    {
        return countText(colourOf(CellCode {letter}).value(), game->state());
    }
    // All plain boxes as last counted.
    int boxesShown() const { return game->state().shown.boxes.value().plain(); }
    Outcome pressCell(int row, int column) { return game->press(Cell {row, column}); }
    // A click on LEVEL UP, the game going on at once as the harness has it.
    Outcome levelUp()
    {
        const Outcome outcome = game->levelUpClicked();
        game->goOn();
        return outcome;
    }
};

} // namespace chromatta::test
