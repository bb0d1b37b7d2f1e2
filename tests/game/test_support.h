#pragma once

#include "board.h"
#include "random.h"

#include <deque>
#include <stdexcept>
#include <string>
#include <vector>

namespace chromatta::test {

// A board written as seven strings of thirteen codes, row 0 first.
inline Board boardOf(const std::vector<std::string> &rows)
{
    if (rows.size() != Board::Rows)
        throw std::invalid_argument("a board has seven rows");
    Board board;
    for (int row = 0; row < Board::Rows; ++row) {
        if (rows[row].size() != std::size_t(Board::Columns))
            throw std::invalid_argument("a row has thirteen codes: " + rows[row]);
        for (int column = 0; column < Board::Columns; ++column)
            board.set(row, column, cellCodeFromChar(rows[row][column]).value());
    }
    return board;
}

inline std::vector<std::string> rowsOf(const Board &board)
{
    std::vector<std::string> rows;
    for (int row = 0; row < Board::Rows; ++row)
        rows.push_back(board.rowText(row));
    return rows;
}

// Fixed draws for RandomInRange, with every reseed noted. Running out is a test error.
class FixedDraws : public DrawSource
{
public:
    FixedDraws() = default;
    explicit FixedDraws(std::deque<double> draws)
        : draws(std::move(draws))
    { }

    double draw() override
    {
        if (draws.empty())
            throw std::logic_error("the test ran out of fixed draws");
        const double u = draws.front();
        draws.pop_front();
        ++drawn;
        return u;
    }
    void reseed(std::int64_t number) override { reseeds.push_back(number); }

    std::deque<double> draws;
    std::vector<std::int64_t> reseeds;
    int drawn = 0;
};

// The draw that makes RandomInRange(low, high) give v, for 1 <= v < high + 1.
inline double drawFor(int v, int high)
{
    return double(v) / double(high + 1);
}

} // namespace chromatta::test
