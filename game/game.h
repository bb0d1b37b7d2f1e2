// The game of the main window: its record and the handlers the window calls.
#pragma once

// How errors are handled, and where:
// - A programming error throws: a cell off the board (Board, std::out_of_range), a malformed
//   board text (boardOf in headless/, std::invalid_argument), a handler entered while another
//   runs (Game, std::logic_error). Nothing catches these in the game; they end the program.
// - What the player's machine may lack is silent: a sound file that is missing or unreadable, or
//   no audio server, plays nothing and returns at once (the window's sound player). A broken
//   draw source gives the lowest value of the range (randomInRange).
// - The rules never fail otherwise: scores saturate at the edges of 64 bits (saturating.h).
// - Start-up faults the game cannot run with (no display, a screen too shallow, too few file
//   descriptors) print one line to standard error and exit with status 1 (the window's start-up
//   checks); a malformed line of a script makes chromatta-script print one line naming it and
//   exit with status 2.

#include "board.h"
#include "game_state.h"
#include "random.h"

#include <cstdint>
#include <optional>

namespace chromatta {

// Points needed to leave a level: (level + 1)^2 times a factor that falls with the level;
// nothing from level 10 on.
std::optional<std::int64_t> nextLevelThreshold(std::int64_t level);
// The price of a reshuffle after `reshuffles` of them in this game: 25000, then 20000 more each.
std::int64_t reshufflePrice(std::int64_t reshuffles);

// What a handler asks of the window beyond showing the new record: a sound heard to its end, or
// the refusal shown until the player closes it. Where the game has more to do after it (the next
// level dealt after the win sound, a new game after the refusal), the window then calls goOn().
enum class Outcome {
    Nothing,
    ClearingSound, // a group was cleared: its sound, before the new board is shown
    LevelWon, // the win sound; then goOn() deals the next level
    Refusal, // "You need more points!"; then goOn() deals a new game
};

// Whether the game has more to do (goOn()) once the window has performed this outcome.
constexpr bool goesOn(Outcome outcome)
{
    return outcome == Outcome::LevelWon || outcome == Outcome::Refusal;
}

// The game of the main window: its record and every handler the window calls. The window
// reaches the rules only through these handlers and never while one of them is running; the
// rules never call the window. Its chance comes from the draw source and the clock it is given,
// which must outlive it.
class Game
{
public:
    Game(DrawSource &draws, const ReseedClock &clock, const GameState &start = GameState {});

    const GameState &state() const { return state_; }

    // The handlers: what the player or the clock did.
    // The window has opened: the first board is dealt.
    void windowOpened();
    // A press on the board surface, on a cell or beside the grid (nothing); the board is drawn
    // either way. BoardGrid::cellAtPixel finds the cell.
    Outcome press(std::optional<Cell> cell);
    // The window's timer: one step of the collapse, the reshuffle price and the threshold shown.
    void tick();
    // A click on "LEVEL UP": nothing yet but the outcome, a win or a refusal (nothing at all from
    // level 10 on); the window performs it and calls goOn().
    Outcome levelUpClicked();
    // What the last level-up waits for once its outcome has been performed: the next level with
    // a new board after a win, a new game after a refusal; nothing when nothing waits.
    void goOn();
    // The menu's "Reset": the board recoloured from its own boxes, for a rising price.
    void reshuffle();

    // Whether the last handler to return (a tick too) left the record other than the handler
    // before it had left it (a game's first handler compares with a record never dealt). This
    // is what the window shows a new frame for. And a tick depends on nothing but the record, so
    // after a tick that changed nothing every further tick changes nothing either, until another
    // handler runs: the timer may rest.
    bool lastHandlerChangedAnything() const { return changed_; }

    // The steps the handlers are made of, one rule each; public so that a test can take one
    // step at a time.
    void fillBoard();
    void newGame();
    void showBoxCounts();
    void growSelection();
    void unhighlightAll();
    void showSelectionValue();
    void clearGroup();
    void dropBoxes();
    void closeEmptyColumns();
    void drawBoard();

private:
    // Runs one sweep over the board; returns how many cells it highlighted.
    int sweepOnce();
    // Walks from a cell in one direction, turning from into to; returns how many it turned.
    int extend(int row, int column, int rowStep, int columnStep, CellCode from, CellCode to);
    int randomInRange(int low, int high);
    // Marks a handler running while it lives, refusing one entered inside another, and notes as
    // the handler returns whether it changed anything (lastHandlerChangedAnything).
    class HandlerScope
    {
    public:
        explicit HandlerScope(Game &game);
        ~HandlerScope();
        HandlerScope(const HandlerScope &) = delete;
        HandlerScope &operator=(const HandlerScope &) = delete;

    private:
        Game &game_;
    };
    // The step a level-up leaves for goOn().
    enum class Waiting { Nothing, NextLevel, NewGame };

    DrawSource &draws_;
    const ReseedClock &clock_;
    GameState state_;
    Waiting waiting_ = Waiting::Nothing;
    bool inHandler_ = false;
    // What the last handler left, to tell whether the next one changed anything.
    GameState seen_ {};
    bool changed_ = true;
};

} // namespace chromatta
