// The game of the main window: its record, its labels and the handlers the window calls.
#pragma once

// How errors are handled, and where:
// - A programming error throws: a cell off the board (Board, std::out_of_range), a malformed
//   board text (boardOf in the headless toolkit, std::invalid_argument). Nothing catches these
//   in the game; they end the program.
// - What the player's machine may lack is silent: a sound file that is missing or unreadable, or
//   no audio server, plays nothing and returns at once (the toolkit's playSoundToEnd). A broken
//   draw source gives the lowest value of the range (randomInRange).
// - The rules never fail otherwise: scores saturate at the edges of 64 bits (saturating.h).
// - Start-up faults the game cannot run with (no display, a screen too shallow, too few file
//   descriptors) print one line to standard error and exit with status 1 (ui/display_check,
//   ui/descriptor_check); a malformed line of a script makes chromatta-script print one line
//   naming it and exit with status 2.

#include "board.h"
#include "captions.h"
#include "game_state.h"
#include "random.h"
#include "toolkit.h"

#include <cstdint>
#include <optional>

namespace chromatta {

// Points needed to leave a level: (level + 1)^2 times a factor that falls with the level;
// nothing from level 10 on.
std::optional<std::int64_t> nextLevelThreshold(std::int64_t level);

// The game of the main window: its record, its labels and every handler the window calls.
// The window reaches the rules only through these handlers, the rules reach the window only
// through the Toolkit. Its chance comes from the draw source and the clock it is given, which
// must outlive it, as must the toolkit.
class Game
{
public:
    // A game starting from the record given; the labels show their design texts until the
    // rules write them.
    Game(Toolkit &toolkit, DrawSource &draws, const ReseedClock &clock,
         const GameState &start = GameState {});

    const GameState &state() const { return state_; }
    // What each label shows, as the rules last wrote it.
    const Captions &captions() const { return captions_; }

    // The handlers: what the player or the clock did.
    // The window has opened: the first board is dealt.
    void windowOpened();
    // A press on the board surface, on a cell or beside the grid (nothing); the board is redrawn
    // either way. BoardGrid::cellUnder finds the cell.
    void press(std::optional<Cell> cell);
    // The window's timer: one step of the collapse, the reshuffle cost and the threshold shown.
    void tick();
    // A click on "LEVEL UP": the next level with a new board, or a refusal that starts over.
    void levelUpClicked();
    // The menu's "Reset": the board recoloured from its own boxes, for a rising cost.
    void reshuffle();

    // Whether the last handler to return (a tick too) left the board or a label other than the
    // handler before it had left them (a game's first handler compares with a board never
    // dealt and the design texts). This is what the window shows a new frame for. And a tick
    // depends on nothing but the game's record, so after a tick that changed nothing every
    // further tick changes nothing either, until another handler runs: the timer may rest.
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
    void playSound(const char *fileName);
    void showPoints();
    // Notes, as a handler returns, whether it changed anything (lastHandlerChangedAnything).
    struct HandlerScope
    {
        Game &game;
        ~HandlerScope() { game.noteChanges(); }
    };
    void noteChanges();
    // 25000 for the first reshuffle of a game, 20000 more for each further one.
    std::int64_t nextReshuffleCost() const;

    Toolkit &toolkit_;
    DrawSource &draws_;
    const ReseedClock &clock_;
    Captions captions_;
    GameState state_;
    // What the last handler left, to tell whether the next one changed anything.
    Board seenBoard_;
    std::uint64_t seenCaptionChanges_ = 0;
    bool changed_ = true;
};

} // namespace chromatta
