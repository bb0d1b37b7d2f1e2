// The soak: a long random game through the rules, with what must always hold checked.
#include "soak.h"

#include "board_geometry.h"
#include "draws.h"
#include "game.h"
#include "recording_toolkit.h"

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
        , game_(toolkit_, draws_, clock_)
    { }

    SoakResult run(std::uint64_t count);

private:
    enum class Event { Press, Tick, Reset, LevelUp };

    void play(Event event);
    // What must hold after every event, and after each kind; each notes the first break.
    void check(Event event, const Board &before, int highlightedBefore);
    bool checkAlways();
    bool checkPress(int boxes, int boxesBefore, int highlightedBefore, bool cleared);
    bool checkTick(int boxes, int boxesBefore, const Board &before);
    bool checkReset(int boxes, int boxesBefore);
    bool checkLevelUp(int boxes, bool dealt);
    bool fail(const std::string &what); // always false
    double uniform() { return events_.draw(); }
    int below(int n) { return int(uniform() * n); }

    Generator events_;
    SeededDraws draws_;
    FixedClock clock_;
    RecordingToolkit toolkit_;
    Game game_;
    std::size_t soundsBefore_ = 0;
    std::size_t messagesBefore_ = 0;
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
        soundsBefore_ = toolkit_.sounds().size();
        messagesBefore_ = toolkit_.messages().size();
        play(event);
        check(event, before, highlightedBefore);
        if (toolkit_.sounds().size() > 1000) // keep memory flat over long runs
            toolkit_.forgetEvents();
    }
    return result_;
}

void Soak::play(Event event)
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
            x = -200 + uniform() * 9700;
            y = -200 + uniform() * 5700;
        }
        game_.press(BoardGrid::cellUnder(x, y));
        break;
    }
    case Event::Tick:
        game_.tick();
        break;
    case Event::Reset:
        game_.reshuffle();
        break;
    case Event::LevelUp:
        game_.levelUpClicked();
        break;
    }
}

void Soak::check(Event event, const Board &before, int highlightedBefore)
{
    if (!checkAlways())
        return;
    const bool cleared = toolkit_.sounds().size() > soundsBefore_ &&
        toolkit_.sounds().back().ends_with("/clearbox.wav");
    const bool dealt = event == Event::LevelUp &&
        (toolkit_.sounds().size() > soundsBefore_ || toolkit_.messages().size() > messagesBefore_);
    const int boxes = countBoxes(game_.state().board).all();
    const int boxesBefore = countBoxes(before).all();

    if (cleared || dealt || event == Event::Reset) {
        const auto shows = [this](Label label) {
            return std::stoll(toolkit_.caption(label));
        };
        const auto counts = shows(Label::RedCount) + shows(Label::VioletCount) +
            shows(Label::GreenCount) + shows(Label::YellowCount);
        if (counts != boxes || shows(Label::BoxCount) != counts) {
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
        checkLevelUp(boxes, dealt);
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
    if (toolkit_.caption(Label::Points) != std::to_string(state.points))
        return fail("the points label does not show the points");
    if (toolkit_.caption(Label::Level) != std::to_string(state.level))
        return fail("the level label does not show the level");
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
        if (toolkit_.caption(Label::SelectionValue) != std::to_string(state.selectionValue) ||
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

bool Soak::checkLevelUp(int boxes, bool dealt)
{
    if (dealt && boxes != Board::Cells)
        return fail("a new board is not full");
    if (toolkit_.sounds().size() > soundsBefore_)
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
