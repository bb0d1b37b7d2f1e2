// The game of the main window: its state, its captions and the handlers the window calls.
#pragma once

#include "captions.h"
#include "game_state.h"
#include "random.h"
#include "toolkit.h"

#include <cstdint>
#include <optional>

namespace chromatta {

// Points needed to leave a level: (level + 1)^2 times a factor that falls with the level;
// nothing from level 10 on.
std::optional<std::int64_t> NextLevelThreshold(double level);

// Mouse buttons as the board surface reports them; every button acts alike.
enum MouseButton { LeftButton = 1, RightButton = 2, MiddleButton = 4 };

// The game of the main window: its record, its captions and every handler the window calls.
// The window reaches the rules only through these handlers, the rules reach the window only
// through the Toolkit. Its chance comes from the draw source it is given, which must outlive it.
class Game
{
public:
    Game(Toolkit &toolkit, DrawSource &draws);

    const GameState &state() const { return state_; }
    GameState &state() { return state_; }
    const Captions &captions() const { return captions_; }
    Captions &captions() { return captions_; }

    // Handlers of the window's events.
    void Form_Load();
    void dest_MouseDown(int button, int modifiers, float x, float y);
    void Timer1_Timer();
    void Label3_Click();
    void mnuFileNew_Click();

    // Whether the last handler to return (a tick too) left the board or a caption other than
    // the handler before it had left them; a change made in between from outside the handlers
    // counts as well. This is what the window shows a new frame for. And a tick depends on
    // nothing but the game's state, so after a tick that changed nothing every further tick
    // changes nothing either, until something else reaches the game: the timer may rest.
    bool lastHandlerChangedAnything() const { return changed_; }

    // Dealing and starting over.
    void FillBoard();
    void NewGame();
    void ShowBoxCounts();

    // Selection and its value.
    void GrowSelection();
    void UnhighlightAll();
    void ShowSelectionValue();

    // Clearing and the collapse.
    void ClearGroup();
    void DropBoxes();
    void CloseEmptyColumns();

    void DrawBoard();

    // The cell a press at (x, y) twips acts on, or nothing when it lies outside the drawn grid
    // (BoardGrid).
    struct Cell
    {
        int row;
        int column;
    };
    static std::optional<Cell> cellAt(double x, double y);

private:
    // Runs one sweep over the board; returns how many cells it highlighted.
    int sweepOnce();
    // Walks from a cell in one direction, turning from into to; returns how many it turned.
    int extend(int row, int column, int rowStep, int columnStep, CellCode from, CellCode to);
    void playSound(const char *fileName);
    // Notes, as a handler returns, whether it changed anything (lastHandlerChangedAnything).
    struct HandlerScope
    {
        Game &game;
        ~HandlerScope() { game.noteChanges(); }
    };
    void noteChanges();
    // 25000 for the first reshuffle of a game, 20000 more for each further one.
    std::int64_t nextResetCost() const;

    Toolkit &toolkit_;
    DrawSource &draws_;
    Captions captions_;
    GameState state_;
    // What the last handler left, to tell whether the next one changed anything.
    Board seenBoard_;
    std::uint64_t seenCaptionChanges_ = 0;
    bool changed_ = true;
};

} // namespace chromatta
