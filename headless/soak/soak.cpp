// The soak: a long random game through the rules, with what must always hold checked.
#include "soak.h"

#include "board_geometry.h"
#include "draws.h"
#include "game.h"
#include "labels.h"

#include <sstream>

namespace chromatta {

namespace {

// No box stands over an empty cell and no empty column stands left of a column with boxes.
bool settled(const Board &board)
{
    bool emptyColumnSeen = false;
    for (int column = 0; column < Board::Columns; ++column) {
        bool empty = true;
        for (int row = 0; row < Board::Rows; ++row) {
            const bool box = board.at(row, column) != CellCode::Empty;
            empty = empty && !box;
            if (row > 0 && board.at(row, column) == CellCode::Empty &&
                board.at(row - 1, column) != CellCode::Empty)
                return false;
        }
        if (!empty && emptyColumnSeen)
            return false;
        emptyColumnSeen = emptyColumnSeen || empty;
    }
    return true;
}

class Soak
{
public:
    explicit Soak(std::uint64_t seed)
        : events_(seed)
        , draws_(seed ^ 0x5eed)
        , game_(draws_, clock_)
    { }

    SoakResult run(std::uint64_t count);

private:
    enum class Event { Press, Tick, Reset, LevelUp };

    // Plays the event as the window would, the game going on after a level-up's outcome;
    // returns the outcome.
    Outcome play(Event event);
    // What must hold after every event, and after each kind; each notes the first break.
    void check(Event event, Outcome outcome, const Board &before, int highlightedBefore);
    bool checkAlways();
    bool checkPress(int boxes, int boxesBefore, int highlightedBefore, bool cleared);
    bool checkTick(int boxes, int boxesBefore, const Board &before);
    bool checkReset(int boxes, int boxesBefore);
    bool checkLevelUp(int boxes, bool dealt, bool won);
    bool fail(const std::string &what); // always false
    std::string shows(Label label) const { return labelText(label, game_.state()); }
    double uniform() { return events_.draw(); }
    int below(int n) { return int(uniform() * n); }

    Generator events_;
    SeededDraws draws_;
    FixedClock clock_;
    Game game_;
    SoakResult result_;
};

SoakResult Soak::run(std::uint64_t count)
{
    game_.windowOpened();
    for (; result_.events < count && result_.failure.empty(); ++result_.events) {
        const double pick = uniform();
        const Event event = pick < 0.62 ? Event::Press
            : pick < 0.95               ? Event::Tick
            : pick < 0.98               ? Event::Reset
                                        : Event::LevelUp;
        const Board before = game_.state().board;
        const int highlightedBefore = countBoxes(before).highlighted;
        const Outcome outcome = play(event);
        check(event, outcome, before, highlightedBefore);
    }
    return result_;
}

Outcome Soak::play(Event event)
{
    switch (event) {
    case Event::Press: {
        const double where = uniform();
        double x = 0, y = 0;
        if (where < 0.75) { // inside a cell
            x = BoardGrid::Left + BoardGrid::CellWidth * (below(13) + uniform());
            y = BoardGrid::Top + BoardGrid::CellHeight * (below(7) + uniform());
        } else if (where < 0.9) { // exactly on a cell's edge
            x = BoardGrid::cellLeft(below(14));
            y = BoardGrid::cellTop(below(8));
        } else { // anywhere on the surface, margins included, or beyond it
            x = -13 + uniform() * 647;
            y = -13 + uniform() * 380;
        }
        return game_.press(BoardGrid::cellAtPixel(x, y));
    }
    case Event::Tick:
        game_.tick();
        break;
    case Event::Reset:
        game_.reshuffle();
        break;
    case Event::LevelUp: {
        const Outcome outcome = game_.levelUpClicked();
        game_.goOn();
        return outcome;
    }
    }
    return Outcome::Nothing;
}

void Soak::check(Event event, Outcome outcome, const Board &before, int highlightedBefore)
{
    if (!checkAlways())
        return;
    const bool cleared = outcome == Outcome::ClearingSound;
    const bool dealt = outcome == Outcome::LevelWon || outcome == Outcome::Refusal;
    const int boxes = countBoxes(game_.state().board).all();
    const int boxesBefore = countBoxes(before).all();

    if (cleared || dealt || event == Event::Reset) {
        long long counts = 0;
        for (int colour = 0; colour < ColourCount; ++colour)
            counts += std::stoll(countText(colour, game_.state()));
        if (counts != boxes) {
            fail("the count labels disagree with the board");
            return;
        }
    }
    switch (event) {
    case Event::Press:
        checkPress(boxes, boxesBefore, highlightedBefore, cleared);
        break;
    case Event::Tick:
        checkTick(boxes, boxesBefore, before);
        break;
    case Event::Reset:
        checkReset(boxes, boxesBefore);
        break;
    case Event::LevelUp:
        checkLevelUp(boxes, dealt, outcome == Outcome::LevelWon);
        break;
    }
}

bool Soak::checkAlways()
{
    const GameState &state = game_.state();
    for (int row = 0; row < Board::Rows; ++row)
        for (int column = 0; column < Board::Columns; ++column)
            if (!cellCodeFromChar(toChar(state.board.at(row, column))))
                return fail("a cell holds something other than the nine codes");
    return true;
}

bool Soak::checkPress(int boxes, int boxesBefore, int highlightedBefore, bool cleared)
{
    const GameState &state = game_.state();
    if (cleared && boxes != boxesBefore - highlightedBefore)
        return fail("a clearing removed other than the highlighted group");
    if (!cleared && boxes != boxesBefore)
        return fail("a press without clearing changed the number of boxes");
    if (cleared)
        ++result_.clearings;
    if (const int n = countBoxes(state.board).highlighted; n > 0) {
        if (shows(Label::SelectionValue) != std::to_string(state.selectionValue) ||
            state.selectionValue != std::int64_t(n) * n * 500)
            return fail("the selection value disagrees with the highlighted group");
    }
    return true;
}

bool Soak::checkTick(int boxes, int boxesBefore, const Board &before)
{
    if (boxes != boxesBefore)
        return fail("a tick changed the number of boxes");
    if (settled(before) && !(before == game_.state().board))
        return fail("a tick changed a settled board");
    return true;
}

bool Soak::checkReset(int boxes, int boxesBefore)
{
    if (boxes < boxesBefore)
        return fail("a reshuffle lost boxes");
    if (countBoxes(game_.state().board).highlighted != 0)
        return fail("a reshuffle left a highlight");
    return true;
}

bool Soak::checkLevelUp(int boxes, bool dealt, bool won)
{
    if (dealt && boxes != Board::Cells)
        return fail("a new board is not full");
    if (won)
        ++result_.levelUps;
    return true;
}

bool Soak::fail(const std::string &what)
{
    std::ostringstream text;
    text << "event " << result_.events << ": " << what << "; board ";
    for (int row = 0; row < Board::Rows; ++row)
        text << (row ? "/" : "") << game_.state().board.rowText(row);
    result_.failure = text.str();
    return false;
}

} // namespace

SoakResult runSoak(std::uint64_t events, std::uint64_t seed)
{
    return Soak(seed).run(events);
}

} // namespace chromatta
