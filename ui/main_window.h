// The game window: the window, its controls and the game it owns.
#pragma once

#include "picture_store.h"
#include "random.h"
#include "window_toolkit.h"

#include <QMainWindow>

#include <memory>

class QMenuBar;

namespace chromatta {
class Game;
struct GameState;
} // namespace chromatta

namespace chromatta::ui {

class BoardSurface;
class RefreshTimer;

// The game window: its labels and pictures, the board surface, its menu, its timer, the hidden
// picture store and the game it owns. Create it with new: closing it deletes it, with the store and
// the game, and its timer stops first, so no rule runs once the window is gone.
class MainWindow : public QMainWindow
{
    Q_OBJECT

public:
    // Builds the window and tells the game it has opened, which deals and draws the first board;
    // the caller then shows it.
    MainWindow();
    ~MainWindow() override;

    // The game, to look at.
    const Game &game() const;
    // Replaces the game by one that starts from this record, for tests and probes that need a
    // board of their own; the labels keep what they show until the new game writes them. The
    // timer wakes, so the next tick shows the new board.
    void startFrom(const GameState &state);

protected:
    void closeEvent(QCloseEvent *event) override;

private:
    QWidget *buildClientArea();
    void buildScoreLabels(QWidget *client);
    void buildColourCounts(QWidget *client);
    void buildStatusStrip(QWidget *client);
    void buildMenus(QMenuBar &bar);
    void placeOnScreen();
    // Runs one handler of the game, then shows the frame it drew, complete, when the handler
    // changed anything (Game::lastHandlerChangedAnything). The timer wakes
    // before (a handler that waits in a message box lets ticks through) and after it.
    // The handler is anything that can be called with the game: one of its handlers, or a
    // lambda that passes one its arguments.
    template<typename Handler>
    void handle(Handler handler);
    // One tick, shown when it changed anything; the timer rests after a tick that changed nothing.
    void tick();
    void quit();

    PictureStore pictures_;
    WindowToolkit::LabelWidgets labels_ {};
    BoardSurface *surface_ = nullptr;
    RefreshTimer *timer_ = nullptr;
    std::unique_ptr<WindowToolkit> toolkit_;
    // The game's chance: seeded from the system, reseeded from the wall clock on every draw.
    Generator draws_;
    WallClock clock_;
    std::unique_ptr<Game> game_;
};

} // namespace chromatta::ui
